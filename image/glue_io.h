#pragma once
// The stream the C glue of the codec libraries reads from and writes to: the caller's stream, opaque
// here, behind plain callbacks that return counts, and the texts the glue leaves for the caller.
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct CorvGlueIo {
    void *file;                                                          // the caller's stream
    size_t (*read)(void *file, unsigned char *buffer, size_t n);         // bytes read
    size_t (*write)(void *file, const unsigned char *buffer, size_t n);  // bytes written
    int (*flush)(void *file);                                            // non-zero on success
    int (*failed)(void *file);                                           // non-zero when the stream is in error
    char error[256];                                                     // the library's or the glue's message
    char warning[256];                                                   // the last warning, kept out of sight
} CorvGlueIo;

#ifdef __cplusplus
}
#endif
