#include "platform/Terminal.h"

#include <initializer_list>

#include <langinfo.h>
#include <locale.h>
#include <strings.h>
#include <unistd.h>

namespace tovarin {

bool standardOutputIsTerminal() {
    return isatty(STDOUT_FILENO) == 1;
}

bool localeIsCodePage932() {
    // The locale of the environment, read without changing the program's own.
    const locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return false;
    const char* codeset = nl_langinfo_l(CODESET, locale);
    bool cp932 = false;
    for (const char* name : {"SHIFT_JIS", "SJIS", "CP932", "WINDOWS-31J"})
        cp932 = cp932 || strcasecmp(codeset, name) == 0;
    freelocale(locale);
    return cp932;
}

} // namespace tovarin
