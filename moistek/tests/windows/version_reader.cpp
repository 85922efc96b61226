// ReadVersionStrings on Windows, over files named as a program names them: this program's own
// (its resource has a translation other than the library's, values longer than a field and
// text of the ANSI code page), a program without version information and a missing file.
//   version_reader   prints "NAME result" and then "NAME FIELD HEX" for each field read
#include <cstdio>
#include <cstring>

#include "version/version_strings.h"

namespace {

void print(const char* name) {
    VersionStrings record;
    std::memset(&record, '?', sizeof record);
    const int result = ReadVersionStrings(record, name);
    std::printf("%s %d\n", name, result);
    if (result != 1) return;
    const struct {
        const char* field;
        const char* text;
    } fields[] = {
        {"CompanyName", record.CompanyName},       {"FileDescription", record.FileDescription},
        {"FileVersion", record.FileVersion},       {"InternalName", record.InternalName},
        {"LegalCopyright", record.LegalCopyright}, {"OriginalFilename", record.OriginalFilename},
        {"ProductName", record.ProductName},       {"ProductVersion", record.ProductVersion},
    };
    for (const auto& f : fields) {
        std::printf("%s %s ", name, f.field);
        // Hexadecimal, so that the bytes of the code page arrive as they are.
        for (const char* c = f.text; *c; ++c) std::printf("%02x", static_cast<unsigned char>(*c));
        std::printf("\n");
    }
}

}  // namespace

int main() {
    print("version_reader.exe");
    print("export_calls.exe");
    print("no such file.dll");
    print(nullptr);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
