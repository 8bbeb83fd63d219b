#include "framework/windows/commands.h"

namespace panolcd {

void TFileCmdRec::Set(std::string_view name, std::uint8_t command) {
    FileName = std::string(name.substr(0, kNameCap));
    Command = command;
}

TFileCmdRec& FileCmdRecs::Of(FileRecId id) {
    switch (id) {
    case FileRecId::Prg:
        return Prg;
    case FileRecId::Pri:
        return Pri;
    case FileRecId::Ed:
        return Ed;
    case FileRecId::Saved:
    case FileRecId::EdSettings: // carries no file
        break;
    }
    return Saved;
}

} // namespace panolcd
