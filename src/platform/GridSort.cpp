// Sorting a grid's rows. Keys are read once per cell, with the runtime's number rules, and the
// rows are merge-sorted bottom-up: stable, and safe with a Compare handler that answers anything.
// A handler that reshapes the grid while it is asked leaves the rows as they were.
#include "platform/Grid.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace platform {

namespace {

struct SortKey {
    bool isNumber = false;
    double number = 0;
    std::string text;
};

// A cell read as a number with the runtime's rules; anything else is 0.
double NumberIn(const std::string& text)
{
    try {
        const Variant value(text);
        return IsNumeric(value) ? CDbl(value) : 0.0;
    } catch (const RuntimeError&) {
        return 0.0;
    }
}

SortKey KeyOf(const std::string& text, int32_t mode)
{
    SortKey key;
    switch (mode) {
    case flexSortGenericAscending:
    case flexSortGenericDescending:
        key.isNumber = IsNumeric(Variant(text));
        if (key.isNumber)
            key.number = NumberIn(text);
        else
            key.text = UCase(text);
        break;
    case flexSortNumericAscending:
    case flexSortNumericDescending:
        key.number = NumberIn(text);
        break;
    case flexSortStringNoCaseAscending:
    case flexSortStringNoCaseDescending:
        key.text = UCase(text);
        break;
    default:
        key.text = text;
        break;
    }
    return key;
}

int CompareNumbers(double a, double b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Generic modes put numbers before texts so that mixed columns still order consistently.
int CompareKeys(const SortKey& a, const SortKey& b, int32_t mode)
{
    switch (mode) {
    case flexSortGenericAscending:
    case flexSortGenericDescending:
        if (a.isNumber != b.isNumber)
            return a.isNumber ? -1 : 1;
        if (a.isNumber)
            return CompareNumbers(a.number, b.number);
        break;
    case flexSortNumericAscending:
    case flexSortNumericDescending:
        return CompareNumbers(a.number, b.number);
    default:
        break;
    }
    // char_traits<char> compares as unsigned bytes: UTF-8 byte order.
    const int order = a.text.compare(b.text);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool IsDescending(int32_t mode)
{
    return mode != flexSortCustom && mode % 2 == 0;
}

// Bottom-up merge sort: stable, and safe with a comparator that is not a strict weak order
// (a Compare handler may answer anything).
template <class Less>
void StableSort(std::vector<int32_t>& items, Less less)
{
    const size_t count = items.size();
    std::vector<int32_t> merged(count);
    for (size_t width = 1; width < count; width *= 2) {
        for (size_t low = 0; low < count; low += 2 * width) {
            const size_t middle = std::min(low + width, count);
            const size_t high = std::min(low + 2 * width, count);
            size_t left = low;
            size_t right = middle;
            size_t out = low;
            while (left < middle && right < high)
                merged[out++] = less(items[right], items[left]) ? items[right++] : items[left++];
            while (left < middle)
                merged[out++] = items[left++];
            while (right < high)
                merged[out++] = items[right++];
        }
        items.swap(merged);
    }
}

} // namespace

void Grid::Sort(int32_t mode)
{
    if (mode < flexSortNone || mode > flexSortCustom)
        Raise(errInvalidPropertyValue);
    if (mode == flexSortNone || RowCount() == 0 || ColCount() == 0)
        return;
    if (mode == flexSortCustom && !Compare.IsConnected())
        return;
    auto [firstRow, lastRow] = Ordered(Row, RowSel);
    if (firstRow == lastRow) {
        firstRow = FixedRows;
        lastRow = RowCount() - 1;
    }
    firstRow = std::max<int32_t>(firstRow, FixedRows);
    if (lastRow - firstRow < 1)
        return;
    SortRows(mode, firstRow, lastRow);
}

void Grid::SortRows(int32_t mode, int32_t firstRow, int32_t lastRow)
{
    const auto [firstCol, lastCol] = Ordered(Col, ColSel);
    const auto rowCount = static_cast<size_t>(lastRow - firstRow + 1);
    const auto keyCount = static_cast<size_t>(lastCol - firstCol + 1);

    // Keys are read once per cell, not once per comparison.
    std::vector<SortKey> keys;
    if (mode != flexSortCustom) {
        keys.reserve(rowCount * keyCount);
        for (size_t row = 0; row < rowCount; ++row) {
            const RowData& data = m_rows[static_cast<size_t>(firstRow) + row];
            for (size_t col = 0; col < keyCount; ++col)
                keys.push_back(KeyOf(data.cells[static_cast<size_t>(firstCol) + col].text, mode));
        }
    }
    const auto compare = [&](int32_t a, int32_t b) -> int {
        if (mode == flexSortCustom) {
            int16_t answer = 0;
            Compare.Raise(firstRow + a, firstRow + b, answer);
            return answer;
        }
        for (size_t col = 0; col < keyCount; ++col) {
            const int order = CompareKeys(keys[static_cast<size_t>(a) * keyCount + col],
                                          keys[static_cast<size_t>(b) * keyCount + col], mode);
            if (order != 0)
                return order;
        }
        return 0;
    };
    const bool descending = IsDescending(mode);
    std::vector<int32_t> order(rowCount);
    std::iota(order.begin(), order.end(), 0);
    const int32_t rowsBefore = RowCount();
    StableSort(order, [&](int32_t a, int32_t b) {
        const int result = compare(a, b);
        return descending ? result > 0 : result < 0;
    });
    // A Compare handler that reshaped the grid leaves nothing sound to reorder.
    if (RowCount() != rowsBefore)
        return;

    std::vector<RowData> sorted;
    sorted.reserve(rowCount);
    for (const int32_t index : order)
        sorted.push_back(std::move(m_rows[static_cast<size_t>(firstRow + index)]));
    std::move(sorted.begin(), sorted.end(), m_rows.begin() + firstRow);
    ContentChanged();
}

} // namespace platform
