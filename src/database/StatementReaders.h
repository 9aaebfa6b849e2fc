// Readers of the row shapes that several parts of a project database take from a statement, and
// the binders that put a row's columns into an insert or a rewrite by their names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "database/Statement.h"

namespace qmk {

inline std::optional<int> firstInt(Statement&& statement)
{
    if (!statement.step() || statement.isNull(0))
        return std::nullopt;
    return static_cast<int>(statement.integer(0));
}

inline std::optional<std::string> firstText(Statement&& statement)
{
    if (!statement.step())
        return std::nullopt;
    return statement.text(0);
}

inline std::vector<int> intColumn(Statement&& statement)
{
    std::vector<int> values;
    while (statement.step())
        values.push_back(static_cast<int>(statement.integer(0)));
    return values;
}

inline ControlRow readControl(const Statement& row)
{
    ControlRow control;
    control.lineIndex = row.intField("LineIndex");
    control.nameId = row.text("Name_ID");
    control.className = row.text("Class");
    control.x = row.intField("x");
    control.y = row.intField("y");
    control.cx = row.intField("cx");
    control.cy = row.intField("cy");
    control.type = row.intField("Type");
    control.flags = static_cast<std::uint32_t>(row.integer("Flags"));
    return control;
}

inline Statement& bindControl(Statement& statement, const ControlRow& row)
{
    return statement.bind("LineIndex", row.lineIndex)
        .bind("DlgLine", row.dlgLine)
        .bindTextOrNull("Name_ID", row.nameId)
        .bindTextOrNull("Class", row.className)
        .bind("x", row.x)
        .bind("y", row.y)
        .bind("cx", row.cx)
        .bind("cy", row.cy)
        .bind("Type", row.type)
        .bind("Flags", static_cast<std::int64_t>(row.flags));
}

inline Statement& bindMenuItem(Statement& statement, const MenuItemRow& row)
{
    return statement.bind("LineIndex", row.lineIndex)
        .bind("MenuLine", row.menuLine)
        .bind("Level", row.level)
        .bindTextOrNull("Name_ID", row.nameId);
}

inline Statement& bindVersionValue(Statement& statement, const VersionValueRow& row)
{
    return statement.bind("LineIndex", row.lineIndex)
        .bind("VersResLine", row.versResLine)
        .bind("BlockHeaderLine", row.blockHeaderLine)
        .bindTextOrNull("Value", row.value);
}

inline std::vector<ControlMatch> controlMatches(Statement& rows, bool kindFromLine)
{
    std::vector<ControlMatch> matches;
    int source = rows.column("SourceText");
    int flags = rows.column("Flags");
    int dialog = rows.column("DlgLine");
    while (rows.step()) {
        ControlMatch m;
        m.lineIndex = rows.intField("LineIndex");
        if (dialog >= 0)
            m.dlgLine = static_cast<int>(rows.integer(dialog));
        if (source >= 0)
            m.sourceText = rows.text(source);
        m.type = rows.intField(kindFromLine ? "LineIdentSym" : "Type");
        if (flags >= 0)
            m.flags = static_cast<std::uint32_t>(rows.integer(flags));
        m.x = rows.intField("x");
        m.y = rows.intField("y");
        m.cx = rows.intField("cx");
        m.cy = rows.intField("cy");
        matches.push_back(std::move(m));
    }
    return matches;
}

} // namespace qmk
