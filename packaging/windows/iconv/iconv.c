/* See iconv.h. A conversion takes the whole input at once (freexl converts
   one cell's text per call); an input that does not fit the output fails
   with E2BIG and consumes nothing. */
#include "iconv.h"
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#define UTF16LE_PAGE 1200u

struct Converter {
    unsigned from, to;
};

/* "UTF-8", "UTF-16LE", "CP1251", "WINDOWS-1251", "ASCII", "ISO-8859-1",
   "MACINTOSH": a Windows code page, or 0 when unknown. */
static unsigned CodePage(const char* name) {
    char up[32];
    size_t i = 0;
    for (; name[i] && i + 1 < sizeof up; ++i) up[i] = (char)((name[i] >= 'a' && name[i] <= 'z') ? name[i] - 32 : name[i]);
    up[i] = 0;
    if (!strcmp(up, "UTF-8") || !strcmp(up, "UTF8")) return CP_UTF8;
    if (!strcmp(up, "UTF-16LE") || !strcmp(up, "UTF16LE") || !strcmp(up, "UCS-2LE")) return UTF16LE_PAGE;
    if (!strcmp(up, "ASCII") || !strcmp(up, "US-ASCII")) return 20127u;
    if (!strcmp(up, "ISO-8859-1") || !strcmp(up, "LATIN1")) return 28591u;
    if (!strcmp(up, "MACINTOSH") || !strcmp(up, "MAC") || !strcmp(up, "MACROMAN")) return 10000u;
    if (!strncmp(up, "CP", 2)) return (unsigned)strtoul(up + 2, NULL, 10);
    if (!strncmp(up, "WINDOWS-", 8)) return (unsigned)strtoul(up + 8, NULL, 10);
    return 0;
}

iconv_t iconv_open(const char* tocode, const char* fromcode) {
    struct Converter* c;
    const unsigned to = CodePage(tocode), from = CodePage(fromcode);
    if (!to || !from || (from != UTF16LE_PAGE && !IsValidCodePage(from)) || (to != UTF16LE_PAGE && !IsValidCodePage(to))) {
        errno = EINVAL;
        return (iconv_t)-1;
    }
    c = (struct Converter*)malloc(sizeof *c);
    if (!c) {
        errno = ENOMEM;
        return (iconv_t)-1;
    }
    c->from = from;
    c->to = to;
    return c;
}

int iconv_close(iconv_t cd) {
    if (cd != (iconv_t)-1) free(cd);
    return 0;
}

size_t iconv(iconv_t cd, char** inbuf, size_t* inbytesleft, char** outbuf, size_t* outbytesleft) {
    const struct Converter* c = (const struct Converter*)cd;
    wchar_t* wide;
    int chars, bytes;
    if (!inbuf || !*inbuf || !*inbytesleft) return 0; /* no shift state to reset */
    if (*inbytesleft > 0x1000000u) {
        errno = EINVAL;
        return (size_t)-1;
    }
    if (c->from == UTF16LE_PAGE) {
        chars = (int)(*inbytesleft / 2);
        wide = (wchar_t*)malloc((size_t)chars * sizeof(wchar_t) + 1);
        if (!wide) { errno = ENOMEM; return (size_t)-1; }
        memcpy(wide, *inbuf, (size_t)chars * 2);
    } else {
        chars = MultiByteToWideChar(c->from, 0, *inbuf, (int)*inbytesleft, NULL, 0);
        if (chars <= 0) { errno = EILSEQ; return (size_t)-1; }
        wide = (wchar_t*)malloc((size_t)chars * sizeof(wchar_t));
        if (!wide) { errno = ENOMEM; return (size_t)-1; }
        MultiByteToWideChar(c->from, 0, *inbuf, (int)*inbytesleft, wide, chars);
    }
    if (c->to == UTF16LE_PAGE) {
        bytes = chars * 2;
        if ((size_t)bytes > *outbytesleft) { free(wide); errno = E2BIG; return (size_t)-1; }
        memcpy(*outbuf, wide, (size_t)bytes);
    } else {
        bytes = WideCharToMultiByte(c->to, 0, wide, chars, NULL, 0, NULL, NULL);
        if (bytes < 0 || (size_t)bytes > *outbytesleft) { free(wide); errno = E2BIG; return (size_t)-1; }
        WideCharToMultiByte(c->to, 0, wide, chars, *outbuf, bytes, NULL, NULL);
    }
    free(wide);
    *inbuf += *inbytesleft;
    *inbytesleft = 0;
    *outbuf += bytes;
    *outbytesleft -= (size_t)bytes;
    return 0;
}

/* The system's ANSI code page, for the programs that ask (freexl's build checks for it). */
const char* locale_charset(void) {
    static char name[16];
    unsigned page = GetACP(), i = 14;
    name[15] = 0;
    do { name[i--] = (char)('0' + page % 10); page /= 10; } while (page && i > 2);
    name[i--] = 'P';
    name[i] = 'C';
    return name + i;
}
