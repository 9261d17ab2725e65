// A diary day file of any bytes: the reader keeps values to whole characters within the limit, and
// what it read comes back unchanged once written and read again; an old-format day converts to a
// day file that reads back as its title, weather and body; a header as the window may hold it
// (any title, weather and picture) is written so that it reads back as its first line, cut to
// the limit, and the body after it.
#include "notes/DiaryFile.h"
#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

void CheckValue(const std::string& v) {
    FUZZ_CHECK(v.size() <= diary::kMaxValue);
    FUZZ_CHECK(rtl::SjisTruncate(v, v.size()) == v);  // no half character at the end
    FUZZ_CHECK(v.find_first_of("\r\n") == std::string::npos);
}

// The writer ends the file with a line break when the body does not.
void CheckBody(const std::string& read, const std::string& written) {
    FUZZ_CHECK(read == written || read == written + "\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes((const char*)data, size);

    diary::DayFile f = diary::ReadDayFile(bytes);
    if (f.result == diary::ReadResult::Ok) {
        const diary::DayHeader& h = f.header;
        CheckValue(h.title);
        CheckValue(h.weather);
        CheckValue(h.picture);
        for (const std::string& k : h.kept) FUZZ_CHECK(!k.empty() && k.find_first_of("\r\n") == std::string::npos);
        diary::DayFile again = diary::ReadDayFile(diary::ComposeDayFile(h, f.body, diary::Layout::DayFile));
        FUZZ_CHECK(again.result == diary::ReadResult::Ok);
        const diary::DayHeader& g = again.header;
        FUZZ_CHECK(g.title == h.title && g.weather == h.weather && g.readOnly == h.readOnly && g.kept == h.kept);
        FUZZ_CHECK(g.fontColor == h.fontColor && g.backColor == h.backColor);
        FUZZ_CHECK(g.top == h.top && g.left == h.left && g.height == h.height && g.width == h.width);
        std::string ext = rtl::UpperCaseAscii(rtl::ExtractFileExt(h.picture));
        FUZZ_CHECK(g.picture == (ext == ".BMP" || ext == ".JPG" ? h.picture : ""));
        CheckBody(again.body, f.body);
    } else if (f.result == diary::ReadResult::Cipher) {
        CheckValue(f.cipher);
    }

    diary::LegacyDay old = diary::ReadLegacyDay(bytes);
    diary::DayHeader h;
    h.title = rtl::SjisTruncate(old.title, diary::kMaxValue);
    h.weather = rtl::SjisTruncate(old.weather, diary::kMaxValue);
    diary::DayFile imported = diary::ReadDayFile(diary::ComposeImportedDay(h, old.body));
    FUZZ_CHECK(imported.result == diary::ReadResult::Ok);
    FUZZ_CHECK(imported.header.title == h.title && imported.header.weather == h.weather);
    FUZZ_CHECK(imported.header.kept.empty());
    CheckBody(imported.body, old.body);

    FuzzBytes in(data, size);
    diary::DayHeader w;
    w.title = in.Text();
    w.weather = in.Text();
    w.picture = in.Text() + ".jpg";
    w.readOnly = in.Byte() & 1;
    std::string body = in.Rest();
    diary::DayFile written = diary::ReadDayFile(diary::ComposeDayFile(w, body, diary::Layout::Export));
    FUZZ_CHECK(written.result == diary::ReadResult::Ok);
    auto firstLine = [](const std::string& v) { return rtl::SjisTruncate(v.substr(0, v.find_first_of("\r\n")), diary::kMaxValue); };
    FUZZ_CHECK(written.header.title == firstLine(w.title) && written.header.weather == firstLine(w.weather));
    FUZZ_CHECK(written.header.picture == firstLine(w.picture) && written.header.readOnly == w.readOnly);
    FUZZ_CHECK(written.header.kept.empty());
    CheckBody(written.body, body);
    return 0;
}
