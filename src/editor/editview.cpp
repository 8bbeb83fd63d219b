// The editor's settings, its line states and the elements it paints.

#include "editor/editcore.h"

#include "common/text.h"

#include <algorithm>

namespace panolcd {
bool IsHighlightActive(std::uint32_t options, std::string_view fileName,
                       std::string_view extensions) {
    if ((options & eo::kSyntaxHighlight) == 0)
        return false;
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::string_view base =
        slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = base.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view extension = base.substr(dot + 1);
    while (!extensions.empty()) {
        const std::size_t end = std::min(extensions.find(';'), extensions.size());
        const std::string_view item = TrimBlanks(extensions.substr(0, end));
        if (!item.empty() && SameTextAscii(item, extension))
            return true;
        extensions.remove_prefix(std::min(end + 1, extensions.size()));
    }
    return false;
}

void SmartEditCore::SetSyntax(std::unique_ptr<EditorSyntax> syntax) {
    syntax_ = std::move(syntax);
    elementMap = syntax_->DefaultElementMap(0);
    text_.MarkAllDirty();
}

void SmartEditCore::ApplySettings(const TSmartEditorSettings& settings) {
    options = settings.Options;
    tabSize = std::max(1, settings.TabSize);
    blockIndent = std::max(0, settings.BlockIndent);
    history_.SetLimit(std::max(0, settings.UndoLimit));
    gutterWidth = std::max(0, settings.GutterWidth);
    lineNumbers = settings.LineNumbers;
    rightMargin = std::max(0, settings.RightMargin);
    fontName = settings.FontName;
    fontSize = settings.FontSize > 0 ? settings.FontSize : 10;
    keyMapping = settings.KeyMapping == 0 ? KeyMapping::Default : KeyMapping::Classic;
    syntaxExtensions = settings.SyntaxExtensions;
    const std::size_t count = std::min(settings.ElementMap.size(), elementMap.size());
    std::copy_n(settings.ElementMap.begin(), count, elementMap.begin());
    UpdateHighlightActive();
}

TSmartEditorSettings SmartEditCore::Settings() const {
    TSmartEditorSettings settings;
    settings.Options = options;
    settings.TabSize = tabSize;
    settings.BlockIndent = blockIndent;
    settings.UndoLimit = history_.Limit();
    settings.GutterWidth = gutterWidth;
    settings.LineNumbers = lineNumbers;
    settings.RightMargin = rightMargin;
    settings.FontName = fontName;
    settings.FontSize = fontSize;
    settings.KeyMapping = keyMapping == KeyMapping::Default ? 0 : 1;
    settings.SyntaxExtensions = syntaxExtensions;
    settings.ElementMap = elementMap;
    return settings;
}

void SmartEditCore::SetFileName(const std::string& name) {
    fileName_ = name;
    UpdateHighlightActive();
}

void SmartEditCore::UpdateHighlightActive() {
    SetHighlightActive(IsHighlightActive(options, fileName_, syntaxExtensions));
}

void SmartEditCore::SetHighlightActive(bool active) {
    if (active && !highlightActive_)
        text_.MarkAllDirty();
    highlightActive_ = active;
}

void SmartEditCore::UpdateLineStates(std::size_t line) {
    if (text_.dirtyLast < 0)
        return;
    auto at = static_cast<std::size_t>(text_.dirtyFirst);
    const std::size_t feeds = text_.LineCount();
    std::uint8_t state = at == 0 ? 0 : text_.LineState(at - 1);
    // Line k's slot holds the state at its end. Past the dirty range, a state that comes out as
    // it was stored means every later one is right too.
    while (at < line && at < feeds) {
        const std::size_t start = text_.LineStart(at);
        const std::string lineText = text_.Text(start, text_.LineStart(at + 1) - start);
        const std::uint8_t end = syntax_->LineEndState(lineText, state);
        const bool unchanged = text_.LineState(at) == end;
        text_.SetLineState(at, end);
        if (unchanged && static_cast<std::int64_t>(at) >= text_.dirtyLast) {
            text_.dirtyFirst = 0;
            text_.dirtyLast = -1;
            return;
        }
        text_.dirtyLast = std::max(text_.dirtyLast, static_cast<std::int64_t>(at) + 1);
        state = end;
        ++at;
    }
    if (at >= feeds) {
        text_.dirtyFirst = 0;
        text_.dirtyLast = -1;
        return;
    }
    text_.dirtyFirst = static_cast<std::int64_t>(at);
}

std::vector<std::uint8_t> SmartEditCore::LineElements(std::size_t line) {
    line = std::min(line, text_.LineCount());
    const std::size_t start = text_.LineStart(line);
    const std::string lineText = text_.Text(start, text_.LineEnd(line) - start);
    std::vector<std::uint8_t> elements(lineText.size(), element::kPlainText);
    if (const int override = syntax_->LineElementOverride(line); override != 0) {
        std::fill(elements.begin(), elements.end(), static_cast<std::uint8_t>(override));
        return elements;
    }
    if (highlightActive_) {
        UpdateLineStates(line);
        const std::uint8_t state = line == 0 ? 0 : text_.LineState(line - 1);
        syntax_->ColourLine(lineText, state, elements.data());
    }
    const auto inside = [](std::size_t at, std::int32_t begin, std::int32_t end) {
        return begin >= 0 && begin < end && at >= static_cast<std::size_t>(begin) &&
               at < static_cast<std::size_t>(end);
    };
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (inside(start + i, text_.foundBegin, text_.foundEnd))
            elements[i] = element::kSearchHit;
        else if (inside(start + i, text_.blockBegin, text_.blockEnd))
            elements[i] = element::kSelection;
    }
    return elements;
}

int SmartEditCore::ElementAt(std::int32_t column, std::int32_t line) {
    if (line < 0 || static_cast<std::size_t>(line) > text_.LineCount())
        return highlightActive_ ? element::kBlanks : element::kPlainText;
    const auto index = static_cast<std::size_t>(line);
    if (const int override = syntax_->LineElementOverride(index); override != 0)
        return override;
    const std::size_t at = OffsetAt(column, line);
    const bool behind = at >= text_.LineEnd(index);
    if (behind)
        return highlightActive_ ? element::kBlanks : element::kPlainText;
    return LineElements(index)[at - text_.LineStart(index)];
}

} // namespace panolcd
