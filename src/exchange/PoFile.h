// gettext PO (and its template, POT) as translation platforms exchange it: a header with the
// project, the language, the plural forms and the tool, then one entry per text with its
// context (the unit's id), its review flag and, for a flagged text, the source it had before.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "exchange/ExchangeDocument.h"
#include "exchange/TextOutput.h"

namespace qmk {

class UnitReader;

// `revisionDate` is "YYYY-MM-DD HH:MM+0000". The file always is UTF-8, as its header says: a unit
// with a text that is no UTF-8 is left out and added to `leftOut` with the reason.
// Written to `out` as it is made; false when the output refused the text.
bool writePo(const ExchangeDocument& document, const std::string& revisionDate, TextOutput& out,
             std::vector<LeftOutUnit>* leftOut = nullptr);
std::string writePo(const ExchangeDocument& document, const std::string& revisionDate,
                    std::vector<LeftOutUnit>* leftOut = nullptr);
// Nothing, with the line, when the text is not PO. An entry with plural forms, or with bytes that
// are no UTF-8 in its context, source or translation, is read with the reason in `unreadable`;
// one without msgctxt has an empty id.
std::optional<ExchangeDocument> readPo(const std::string& bytes, std::string& problem);
// The same from a file on disk, read a block at a time: the header at once, the units one at a
// time as the reader asks for them (UnitReader.h). Nothing, with the reason, when it is not a PO file.
std::unique_ptr<UnitReader> openPoReader(const std::filesystem::path& path, std::string& problem);

// "nplurals=2; plural=(n != 1);" for a language tag; the commonest rule where the language is
// not listed.
std::string pluralForms(const std::string& languageTag);
// The C printf conversions of a text in order ("%s", "%5.2f"; "%%" is none).
std::string printfConversions(const std::string& text);

} // namespace qmk
