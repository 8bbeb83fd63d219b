#pragma once
// The process context: the state of every subsystem in one object that the application (and
// each test) makes anew. Each subsystem owns its part and reaches it through its own accessor
// (EnvCtx, RecordsCtx, ExchangeCtx, WindowsCtx, ProjectCtx, GeneratorCtx); only this assembly
// knows them all. Parts are made lower layer first and freed in the reverse order, so that a
// project tree going away still finds the handles and addresses it gives back.

#include "framework/environment/envcontext.h"
#include "framework/exchange/exchangecontext.h"
#include "framework/records/recordscontext.h"
#include "framework/windows/windowscontext.h"
#include "generator/generatorcontext.h"
#include "project/projectcontext.h"

namespace panolcd {

struct ProcessContext {
    EnvironmentContext environment;
    RecordsContext records;
    ExchangeContext exchange;
    WindowsContext windows;
    ProjectContext project;
    GeneratorContext generator;
};

// Frees the current context entirely, then makes a fresh one: nothing of the old one (say, the
// destructors of an old project tree) ever reaches the new one.
void ResetContext();
// Frees the context for good (at the end of the program).
void ReleaseContext();

} // namespace panolcd
