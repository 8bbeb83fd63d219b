// Writes PanoLCD's application description file from the schema declared in src/schema.
// Usage: appgen OUTPUT.APP

#include "app/processcontext.h"
#include "common/cp1250.h"
#include "framework/records/appdata.h"
#include "framework/records/appdatastream.h"
#include "schema/appschema.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: appgen OUTPUT.APP\n";
        return 2;
    }
    const std::string output = argv[1];
    panolcd::ResetContext();
    try {
        const auto app = panolcd::schema::BuildAppDescription();
        panolcd::WriteAppData(output, app.get(), nullptr);
    } catch (const std::exception& e) {
        std::cerr << "appgen: " << output << ": " << panolcd::Cp1250ToUtf8(e.what()) << '\n';
        return 1;
    }
    return 0;
}
