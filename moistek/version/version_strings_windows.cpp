// ReadVersionStrings on Windows: the file's version resource through the platform's own
// version functions, in the process heap.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>

#include "version/version_strings.h"

namespace {

constexpr DWORD kDefaultTranslation = 0x041103A4;  // Japanese, code page 932

// Copies the first `size` bytes of `text` (fewer at a zero) into a 260-byte field, cutting at 259
// bytes before a character of the ANSI code page that would not fit whole.
void copyField(char (&field)[260], const char* text, size_t size) {
    size_t n = 0;
    while (n < size && text[n] != '\0') {
        const bool pair = IsDBCSLeadByte(static_cast<BYTE>(text[n])) && n + 1 < size && text[n + 1];
        const size_t width = pair ? 2 : 1;
        if (n + width > sizeof field - 1) break;
        n += width;
    }
    std::memcpy(field, text, n);
    field[n] = '\0';
}

}  // namespace

int ReadVersionStrings(VersionStrings& record, const char* fileName) {
    if (!fileName) return 0;
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName, &unused);
    if (size == 0) return 0;
    const HANDLE heap = GetProcessHeap();
    void* block = HeapAlloc(heap, 0, size);
    if (!block) return 0;
    if (!GetFileVersionInfoA(fileName, 0, size, block)) {
        HeapFree(heap, 0, block);
        return 0;
    }

    DWORD translation = kDefaultTranslation;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block, "\\VarFileInfo\\Translation", &value, &length) && value &&
        length >= 4) {
        const WORD* words = static_cast<const WORD*>(value);
        translation = (static_cast<DWORD>(words[0]) << 16) + words[1];
    }
    char prefix[32];
    wsprintfA(prefix, "\\StringFileInfo\\%08X\\", static_cast<unsigned>(translation));

    struct Field {
        const char* name;
        char (*field)[260];
    } const fields[] = {
        {"CompanyName", &record.CompanyName},       {"FileDescription", &record.FileDescription},
        {"FileVersion", &record.FileVersion},       {"InternalName", &record.InternalName},
        {"LegalCopyright", &record.LegalCopyright}, {"OriginalFilename", &record.OriginalFilename},
        {"ProductName", &record.ProductName},       {"ProductVersion", &record.ProductVersion},
    };
    for (const Field& f : fields) {
        char key[64];
        wsprintfA(key, "%s%s", prefix, f.name);
        value = nullptr;
        length = 0;
        // The value's text ends at its zero; the end of the block bounds it all the same.
        const char* const begin = static_cast<const char*>(block);
        const char* const end = begin + size;
        const bool found = VerQueryValueA(block, key, &value, &length) && value;
        const char* const text = static_cast<const char*>(value);
        if (found && text >= begin && text < end)
            copyField(*f.field, text, static_cast<size_t>(end - text));
        else
            copyField(*f.field, "", 0);
    }
    HeapFree(heap, 0, block);
    return 1;
}
