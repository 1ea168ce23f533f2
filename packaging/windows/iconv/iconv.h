/* A small iconv for the Windows build of freexl: the conversions between
   Windows code pages, UTF-8 and UTF-16 that reading .xls workbooks needs,
   done by the system's MultiByteToWideChar and WideCharToMultiByte. */
#ifndef PORTIQA_ICONV_H
#define PORTIQA_ICONV_H
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
typedef void* iconv_t;
iconv_t iconv_open(const char* tocode, const char* fromcode);
size_t iconv(iconv_t cd, char** inbuf, size_t* inbytesleft, char** outbuf, size_t* outbytesleft);
int iconv_close(iconv_t cd);
#ifdef __cplusplus
}
#endif
#endif
