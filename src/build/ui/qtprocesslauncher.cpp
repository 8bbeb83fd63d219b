#include "build/ui/qtprocesslauncher.h"

#include "common/ui/qtext.h"

#include <QProcess>
#include <QStringList>

namespace panolcd {

bool QtProcessLauncher::Start(const CommandLine& command, const std::string& workingDir,
                              std::string& error) {
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments << FileNameToQString(argument);
    if (QProcess::startDetached(FileNameToQString(command.program), arguments,
                                FileNameToQString(workingDir)))
        return true;
    error = "the program could not be started";
    return false;
}

} // namespace panolcd
