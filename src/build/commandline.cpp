#include "build/commandline.h"

#include "common/text.h"

namespace panolcd {

std::vector<std::string> SplitTemplate(std::string_view text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    char quote = 0;
    for (const char c : text) {
        if (quote != 0) {
            if (c == quote)
                quote = 0;
            else
                current += c;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            inArgument = true;
            continue;
        }
        if (c == ' ' || c == '\t') {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
            continue;
        }
        current += c;
        inArgument = true;
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

std::optional<std::string> FormatTemplate(std::string_view text, std::string_view path,
                                          CommandError& error) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const std::string_view rest = text.substr(i + 1);
        if (rest.starts_with("%")) {
            out += '%';
            i += 1;
        } else if (rest.starts_with("s")) {
            out += path;
            i += 1;
        } else if (rest.starts_with("0:s")) {
            out += path;
            i += 3;
        } else {
            error.message = "Chybn\xFD form\xE1t p\xF8\xEDkazov\xE9 \xF8\xE1"
                            "dky: " +
                            std::string(text);
            return std::nullopt;
        }
    }
    return out;
}

std::optional<CommandLine> BuildCommandLine(std::string_view templateText, std::string_view path,
                                            CommandError& error) {
    const std::optional<std::string> text = FormatTemplate(templateText, path, error);
    if (!text)
        return std::nullopt;
    const std::vector<std::string> parts = SplitTemplate(templateText);
    if (text->size() > kCommandLineCap || parts.empty()) {
        error.message.clear(); // the caller says the command cannot be started
        return std::nullopt;
    }
    CommandLine command;
    command.text = *text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::optional<std::string> argument = FormatTemplate(parts[i], path, error);
        if (!argument)
            return std::nullopt;
        if (i == 0)
            command.program = std::move(*argument);
        else
            command.arguments.push_back(std::move(*argument));
    }
    return command;
}

std::optional<std::string> ResultFilePath(std::string_view commandLine) {
    const std::string upper = AsciiUpper(commandLine);
    // A quoted program is the text inside its quotes, blanks and all.
    if (!upper.empty() && (upper.front() == '"' || upper.front() == '\'')) {
        const std::size_t close = upper.find(upper.front(), 1);
        const std::string program =
            upper.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        if (const std::size_t exe = program.find(".EXE"); exe != std::string::npos)
            return program.substr(0, exe + 1) + "ERR";
        return program + ".ERR";
    }
    if (const std::size_t exe = upper.find(".EXE"); exe != std::string::npos)
        return upper.substr(0, exe + 1) + "ERR";
    if (const std::size_t blank = upper.find(' '); blank != std::string::npos)
        return upper.substr(0, blank) + ".ERR";
    return std::nullopt;
}

} // namespace panolcd
