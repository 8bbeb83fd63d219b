#include "framework/environment/ui/helpviewer.h"

#include "common/ui/qtext.h"
#include "framework/environment/help.h"

#include <QDesktopServices>
#include <QUrl>

namespace panolcd {

void ShowHelpTopic(int topic) {
    const std::string page = HelpTopicPage(topic);
    if (!page.empty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(FileNameToQString(page)));
}

} // namespace panolcd
