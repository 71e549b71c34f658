// libFuzzer entry: the live feed's request reader on any bytes a client sends.
#include "FuzzCheck.h"
#include "feed/HttpRequest.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<qsizetype> end = HttpRequest::headEnd(bytes);
    require(!end || (*end >= 4 && *end <= bytes.size()));
    // Looking again from any point found before gives the same end.
    if (end && *end > 4)
        require(HttpRequest::headEnd(bytes, *end - 4) == end);
    const HttpRequest request = HttpRequest::parse(end ? bytes.first(*end) : bytes);
    const int status = request.status();
    require(status == 0 || status == 400 || status == 414 || status == 431 || status == 505);
    if (status == 0) {
        // What is served is well formed: a method token, a target from the root.
        require(!request.method().isEmpty() && !request.method().contains(' '));
        require(request.target().startsWith('/') || request.target() == "*");
        require(request.field("host").has_value());
        require(request.bodyStatus() == 0 || request.bodyStatus() == 413 ||
                request.bodyStatus() == 501);
    }
    return 0;
}
