#pragma once
// Help topics: one HTML page per topic, topic<N>.html, in the directory of the help file setting.

#include <string>

namespace panolcd {

// The page of a help topic; empty when it does not exist (the request is then only traced).
std::string HelpTopicPage(int topic);

} // namespace panolcd
