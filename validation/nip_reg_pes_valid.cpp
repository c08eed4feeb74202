#include "validation/nip_reg_pes_valid.h"

#include "validation/decimal_digits.h"

#include <array>

namespace {

template <std::size_t N> int weightedSum(QStringView digits, const std::array<int, N>& weights) {
    int sum = 0;
    for (std::size_t i = 0; i < N; ++i)
        sum += DecimalDigits::value(digits[qsizetype(i)]) * weights[i];
    return sum;
}

} // namespace

bool CheckPESEL(const QString& text) {
    using namespace DecimalDigits;
    if (text.size() != 11 || !allDigits(text)) return false;
    const QStringView v(text);
    if (allZeros(v.first(6)) || allZeros(v.sliced(6))) return false;
    constexpr std::array<int, 10> kWeights{1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
    const int rest = weightedSum(v, kWeights) % 10;
    const int check = rest == 0 ? 0 : 10 - rest;
    return check == value(v[10]);
}

bool CheckNIP(const QString& text) {
    using namespace DecimalDigits;
    QString nip = text;
    nip.remove(u'-');
    if (nip.size() != 10 || !allDigits(nip)) return false;
    const QStringView v(nip);
    if (allZeros(v.first(5)) || allZeros(v.sliced(5))) return false;
    constexpr std::array<int, 9> kWeights{6, 5, 7, 2, 3, 4, 5, 6, 7};
    int check = weightedSum(v, kWeights) % 11;
    if (check == 10) check = 0; // such numbers are issued with a check digit 0
    return check == value(v[9]);
}

bool CheckREGON(const QString& text) {
    const QString regon = text.trimmed();
    switch (regon.size()) {
    case 0:
    case 7:
    case 9:
    case 14:
        return DecimalDigits::allDigits(regon);
    default:
        return false;
    }
}
