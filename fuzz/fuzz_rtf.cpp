// libFuzzer entry: any bytes must read into a well-formed document.
#include "FuzzCheck.h"
#include "platform/RtfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Rtf::Document doc =
        Rtf::read(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    require(!doc.paragraphs.isEmpty());
    for (const Rtf::Paragraph& paragraph : doc.paragraphs) {
        require(paragraph.format.tabStops.size() <= 64);
        for (const Rtf::Run& run : paragraph.runs) {
            require(!run.text.isEmpty());
            require(run.text.isValidUtf16());
            for (QChar c : run.text)
                require(c == u'\t' || c.unicode() >= 0x20);
            require(run.format.halfPoints >= 2 && run.format.halfPoints <= 3276);
        }
    }
    return 0;
}
