#pragma once
// How the editing panels show numbers in their fields and grid cells, and how they take a
// typed text back; and the binding of a panel's number fields to its record.
#include "panels/NumberCheck.h"

#include <cstddef>
#include <string>

namespace qv {

// The text of a number in a field or cell: KvStr::FormatDouble ("%f" without trailing
// zeros).
std::string NumberText(double value);

// A number field of a panel bound to a double of the record it edits, with the kind of
// number it takes and its label in the panel.
template <typename Fields, typename Record> struct NumberBinding {
    std::string Fields::*text;
    double Record::*value;
    NumberKind kind;
    const char* label;
};

// Reads every bound field whose text is a number of its kind into the record; a field
// holding any other text leaves its value as it is (the text was refused when typed).
template <typename Fields, typename Record, size_t N>
void ReadNumbers(const Fields& fields, Record& record,
                 const NumberBinding<Fields, Record> (&bindings)[N]) {
    for (const auto& binding : bindings) {
        if (const auto value = ReadNumber(fields.*binding.text, binding.kind)) {
            record.*binding.value = *value;
        }
    }
}

// Shows every bound value in its field.
template <typename Fields, typename Record, size_t N>
void ShowNumbers(const Record& record, Fields& fields,
                 const NumberBinding<Fields, Record> (&bindings)[N]) {
    for (const auto& binding : bindings) {
        fields.*binding.text = NumberText(record.*binding.value);
    }
}

// Why a text typed into the bound field *field is refused (the refusal names the field's
// label); empty when it is a number of the field's kind, or the field has no binding.
template <typename Fields, typename Record, size_t N>
std::string NumberFieldRefusal(const Fields& fields, const std::string* field,
                               const std::string& text,
                               const NumberBinding<Fields, Record> (&bindings)[N]) {
    for (const auto& binding : bindings) {
        if (&(fields.*binding.text) == field) {
            return NumberRefusal(text, binding.kind, binding.label);
        }
    }
    return std::string();
}

// A typed text with its refusal: without one it becomes the field's text; otherwise the
// refusal is shown, the field keeps its text and the result is false.
inline bool TakeUnlessRefused(std::string& field, const std::string& text,
                              const std::string& refusal) {
    if (!refusal.empty()) {
        ShowRefusal(refusal);
        return false;
    }
    field = text;
    return true;
}

} // namespace qv
