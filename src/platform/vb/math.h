#pragma once

#include "platform/vb/currency.h"

#include <QVariant>

// Numeric functions. Rounding is half to even (Round(2.5) = 2, Round(0.125, 2) = 0.12).
namespace vb {

// The largest whole number not above x (Int(-2.5) = -3) / x without its fraction (Fix(-2.5) = -2).
double Int(double x);
double Fix(double x);
double Abs(double x);
Currency Abs(Currency x);
// -1, 0 or 1.
int Sgn(double x);
int Sgn(Currency x);
// digits from 0 to 22; Invalid procedure call (5) otherwise.
double Round(double x, int digits = 0);
Currency Round(Currency x, int digits = 0);

// On a Variant: the result keeps the value's kind (an integer stays an integer, a Currency a
// Currency, numeric text becomes a double); Null gives Null; other text Type mismatch (13).
QVariant Int(const QVariant &x);
QVariant Fix(const QVariant &x);
QVariant Abs(const QVariant &x);
QVariant Round(const QVariant &x, int digits = 0);
int Sgn(const QVariant &x);

} // namespace vb
