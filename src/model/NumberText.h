#pragma once
// How numbers of records and arithmetic are written as text.
#include <QString>

// The shortest decimal text that reads back to the same 32-bit float, always with a fractional part or
// an exponent: 12 → "12.0", 1250.5 → "1250.5", 0.1 → "0.1", -3 → "-3.0", 0 → "0.0", 1e16 → "1e+16".
// Plain notation is used from 0.0001 up to 2^24 (16777216) in magnitude, exponent notation outside that
// range (0.00001 → "1e-05"), so everyday quantities and prices such as 100000 never come out as "1e+05".
// Negative zero is written "0.0"; NaN and infinities as "nan", "inf", "-inf".
QString numberText(float value);

// An amount in the currency style of the locale zh_Hans_CN: yuan sign, grouping by thousands, exactly two
// decimals, a leading minus for negative amounts: 12600 → "¥12,600.00", -12600 → "-¥12,600.00".
// Rounding to cents is to the nearest, ties to even, on the exact binary value (0.125 → "¥0.12").
// An amount that rounds to zero shows no minus. NaN and infinities give the empty text.
QString moneyText(double amount);
