#pragma once

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: name it and abort, so libFuzzer keeps the
// input.
#define require(condition)                                                                         \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);           \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Qt's warnings about rejected input would flood the fuzzer's output.
inline void silenceQtMessages()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}
