#pragma once
// How the editing panels show numbers in their fields and grid cells, and how they read
// a typed text back; and the binding of a panel's number fields to its record.
#include <cstddef>
#include <string>

namespace qv {

// The text of a number in a field or cell: KvStr::FormatDouble ("%f" without trailing
// zeros).
std::string NumberText(double value);

// A typed text as a number: its leading decimal number, 0 when there is none. A value
// beyond the range of a double reads as 0 too, so no infinity reaches the model.
double NumberFromText(const std::string& text);

// A number field of a panel bound to a double of the record it edits.
template <typename Fields, typename Record> struct NumberBinding {
    std::string Fields::*text;
    double Record::*value;
};

// Reads every bound field's text into the record.
template <typename Fields, typename Record, size_t N>
void ReadNumbers(const Fields& fields, Record& record,
                 const NumberBinding<Fields, Record> (&bindings)[N]) {
    for (const auto& binding : bindings) {
        record.*binding.value = NumberFromText(fields.*binding.text);
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

} // namespace qv
