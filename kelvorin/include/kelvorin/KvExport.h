#pragma once
// What libkelvorin.so offers to the programs that link it. The library is compiled with
// hidden visibility, so only the classes and functions marked KV_API in these public
// headers are exported; everything else (kv_detail, file-local helpers, template
// instances) stays inside the library. The mark is the same when building and when
// using the library.
#if defined(__GNUC__)
#define KV_API __attribute__((visibility("default")))
#else
#define KV_API
#endif
