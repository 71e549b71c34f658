// Loading a large help file: a 20 MiB guide of text, tables and screenshots,
// read and laid into a document as the help viewer does.
#include "help/RichTextBox.h"
#include "rtf/Reader.h"
#include "rtf/TextDocument.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype targetBytes = 20 << 20;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The shipped guide's body again and again, each time with a screenshot of
// the program and a table, until the file is 20 MiB.
QByteArray largeGuide()
{
    const QString source = QStringLiteral(TV_SOURCE_DIR);
    const QByteArray guide = readFile(source + "/resources/tallyvanehelpfile.rtf");
    const qsizetype bodyStart = guide.indexOf("\\pard");
    const QByteArray body = guide.mid(bodyStart, guide.lastIndexOf('}') - bodyStart);
    const QDir shots(source + "/docs/screenshots", "*.png");
    const QStringList names = shots.entryList();
    QByteArray rtf = guide.left(bodyStart);
    for (int i = 0; rtf.size() < targetBytes; ++i) {
        const QByteArray png = readFile(shots.filePath(names[i % names.size()]));
        rtf += body + "\\pard\\qc{\\*\\shppict{\\pict\\picwgoal6000\\pichgoal4500\\pngblip\n" +
               png.toHex() + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}\\par\n";
        rtf +=
            "\\trowd\\cellx3000\\clbrdrb\\brdrs\\cellx6000\\pard\\intbl Fouls\\cell 5\\cell\\row\n";
    }
    return rtf + "}";
}

const QByteArray& guide()
{
    static const QByteArray bytes = largeGuide();
    return bytes;
}

void BM_ReadLargeGuide(benchmark::State& state)
{
    const QByteArray& rtf = guide();
    qsizetype pictures = 0;
    for (auto _ : state) {
        const Rtf::Document doc = Rtf::read(rtf);
        pictures = doc.pictures.size();
        benchmark::DoNotOptimize(&doc);
    }
    state.SetBytesProcessed(state.iterations() * guide().size());
    state.counters["pictures"] = double(pictures);
}
BENCHMARK(BM_ReadLargeGuide)->Unit(benchmark::kMillisecond);

// What the help window does with its file, short of painting.
void BM_LoadLargeGuide(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tallyvanehelpfile.rtf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(guide()) != guide().size())
        state.SkipWithError("cannot write the guide");
    file.close();
    for (auto _ : state) {
        RichTextBox box;
        benchmark::DoNotOptimize(box.loadRtfFile(path));
    }
    state.SetBytesProcessed(state.iterations() * guide().size());
}
BENCHMARK(BM_LoadLargeGuide)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
