#pragma once
// Errors raised by object streams, the class registry and typed access to loaded objects. Each
// carries its message text only; callers tell them apart by type.

#include "common/error.h"

#include <string_view>

namespace panolcd {

// Object-stream protocol errors (mode, header, missing buffer).
class ErbObjStream : public Exception {
public:
    using Exception::Exception;
};

class ErbObjStreamInvalid : public ErbObjStream {
public:
    using ErbObjStream::ErbObjStream;
};

class ErbObjStreamWrongMode : public ErbObjStream {
public:
    using ErbObjStream::ErbObjStream;
};

// Errors of the underlying byte stream.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EReadError : public EStreamError {
public:
    EReadError() : EStreamError("Stream read error") {}
};

class EWriteError : public EStreamError {
public:
    EWriteError() : EStreamError("Stream write error") {}
};

class EFOpenError : public EStreamError {
public:
    explicit EFOpenError(std::string_view fileName);
};

class EFCreateError : public EStreamError {
public:
    explicit EFCreateError(std::string_view fileName);
};

class EClassNotFound : public Exception {
public:
    explicit EClassNotFound(std::string_view className);
};

class EListError : public Exception {
public:
    explicit EListError(int index);
};

class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Invalid class typecast") {}
};

} // namespace panolcd
