#include "framework/environment/paramtrace.h"

#include "framework/environment/trace.h"

namespace panolcd {

bool ReadEntryTraced(TNameObject& object) {
    const bool trace = TraceEnabled(1);
    const std::string className(object.ClassName());
    const std::string& name = object.Name();
    if (trace)
        TraceWrite(0, name + ":" + className + "/" + className + ".Create ");
    if (name.empty()) {
        if (trace)
            TraceLine(0, "(inherited)");
        return false;
    }
    const bool error = object.ReadParamFromINI(trace);
    if (trace) {
        TraceLine(0, error ? "ERROR" : "OK");
        TraceLine(0, name + ":" + className + "=[" + object.BuildParamText() + "]");
    }
    return error;
}

} // namespace panolcd
