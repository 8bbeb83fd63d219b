#pragma once
// Shows a help topic's page in the desktop's browser.

namespace panolcd {

// Nothing but a trace line when the topic has no page.
void ShowHelpTopic(int topic);

} // namespace panolcd
