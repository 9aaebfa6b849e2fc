// Decides which code page a translated script's texts are in, the way a project's code page
// is decided: its first code-page pragma, else UTF-8 when its bytes are UTF-8, else the code
// page of its first LANGUAGE, else Western.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "parser/LineSink.h"
#include "project/TextCodec.h"

namespace qmk {

class ScriptCodePageProbe : public LineSink {
public:
    // Reads the script (and the included files whose extensions are given) once, silently.
    // A UTF-16 script gives 1200 (its texts are read as UTF-8).
    static int codePageOf(const std::filesystem::path& script, const std::vector<std::string>& includeExtensions);

    void store(const ParsedLine& line, const ScriptParser& parser, int lineNumber) override;
    int codePage() const { return projectCodePage(evidence_); }

private:
    CodePageEvidence evidence_;
    bool anyNonUtf8_ = false;
};

} // namespace qmk
