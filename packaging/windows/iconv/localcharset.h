/* See iconv.c: the system's ANSI code page as "CPnnnn". */
#ifndef PORTIQA_LOCALCHARSET_H
#define PORTIQA_LOCALCHARSET_H
#ifdef __cplusplus
extern "C" {
#endif
const char* locale_charset(void);
#ifdef __cplusplus
}
#endif
#endif
