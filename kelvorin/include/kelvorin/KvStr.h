#pragma once
// Text operations of the library: splitting, the number grammar, number formatting,
// name numbering, file-name checks and spreadsheet column names. Text is UTF-8.
// Number formatting and parsing never depend on the process locale.
#include <kelvorin/KvExport.h>

#include <string>
#include <vector>

class KV_API KvStr {
public:
    static int SplitStrBySymbol(std::vector<std::string>& out, const std::string& text,
                                const std::string& separator);
    static int IsDigit(double* value, const std::string& text); // value may be nullptr
    static int IsDigit(const std::string& text);
    static int IsFraction(double* numerator, double* denominator, const std::string& text);
    // The number grammar alone (no fractions); value receives atof of the trimmed text.
    static int IsDigitFactor(double* value, const std::string& text);
    static std::string FormatDouble(double value);
    static std::string IncreaseStrDigit(const std::string& text, double step, int keepFormat);
    static int IsFileName(const std::string& text);
    static int IsPath(const std::string& text);
    static int IsDriveExist(const std::string& path);
    static int SplitStrInTwoPart(std::string& textPart, std::string& numberPart,
                                 const std::string& text);
    static void SortStrArrByEndDigit(std::vector<std::string>& array, int ascending);
    static int FindStrInStrArr(const std::vector<std::string>& array, const std::string& text,
                               int caseSensitive);
    static int RemoveSameStr(std::vector<std::string>& array, int ignoreCase);
    static int FilterStrByStr(std::vector<std::string>& out, const std::vector<std::string>& in,
                              const std::string& prefix, int caseSensitive);
    static std::string ExcelColNoToName(int columnNo);
    static int ExcelColNameToNo(const std::string& columnName);
    static int IfHasChinese(const std::string& text);

    // Helpers shared by the library and the program.
    // printf-style formatting in the "C" locale, whatever locale the process has set.
    static std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
    // atof in the "C" locale: the leading number of the text, 0.0 when there is none.
    static double Atof(const std::string& text);
    // atoi in the "C" locale, its overflow defined: white space (blank, tab, LF, VT, FF,
    // CR) skipped, an optional sign, then the value of the decimal digits that follow,
    // saturated to INT_MIN or INT_MAX when out of range; 0 when no digit follows. The
    // rest of the text is ignored ("12abc" is 12, "3.9" is 3, "1e5" is 1).
    static int Atoi(const std::string& text);
    // White space (blank, tab, CR, LF, VT, FF) removed from both ends.
    static std::string Trim(const std::string& text);
    // ASCII letters upper-cased; every other byte kept.
    static std::string MakeUpper(const std::string& text);
    // Equal when equal after MakeUpper.
    static bool EqualNoCase(const std::string& a, const std::string& b);
};
