#pragma once
// The "C" locale, for number formatting and parsing that must not follow the locale a
// program (a GUI toolkit) may have set for the process.
#include <locale.h>

namespace kv_detail {

locale_t CLocale();

// Switches the calling thread to the "C" locale for one scope.
class ScopedCLocale {
public:
    ScopedCLocale() : m_previous(uselocale(CLocale())) {}
    ~ScopedCLocale() { uselocale(m_previous); }
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    locale_t m_previous;
};

} // namespace kv_detail
