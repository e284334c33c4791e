// The ITS-90 thermocouple reference functions (reference junction at 0 degrees C) for the types
// B, E, J, K, N, R, S and T, and the type C polynomial. Coefficients are the published ones in
// microvolts (the millivolt values x 1000); the result is in millivolts.
#include "sensors/thermocouple.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace vorta::sensors {
namespace {

// B, 0.000 .. 630.615 degrees C.
constexpr long double kB0[] = {
    0.0L,
    -2.4650818346E-01L,
    5.9040421171E-03L,
    -1.3257931636E-06L,
    1.5668291901E-09L,
    -1.694452924E-12L,
    6.2990347094E-16L,
};
// B, 630.615 .. 1820.000 degrees C.
constexpr long double kB630[] = {
    -3.8938168621E+03L, 2.857174747E+01L,   -8.4885104785E-02L, 1.5785280164E-04L,  -1.6835344864E-07L,
    1.1109794013E-10L,  -4.4515431033E-14L, 9.8975640821E-18L,  -9.3791330289E-22L,
};
// E, -270.000 .. 0.000 degrees C.
constexpr long double kEm270[] = {
    0.0L,
    5.8665508708E+01L,
    4.5410977124E-02L,
    -7.7998048686E-04L,
    -2.5800160843E-05L,
    -5.9452583057E-07L,
    -9.3214058667E-09L,
    -1.0287605534E-10L,
    -8.0370123621E-13L,
    -4.3979497391E-15L,
    -1.6414776355E-17L,
    -3.9673619516E-20L,
    -5.5827328721E-23L,
    -3.4657842013E-26L,
};
// E, 0.000 .. 1000.000 degrees C.
constexpr long double kE0[] = {
    0.0L,
    5.866550871E+01L,
    4.5032275582E-02L,
    2.8908407212E-05L,
    -3.3056896652E-07L,
    6.502440327E-10L,
    -1.9197495504E-13L,
    -1.2536600497E-15L,
    2.1489217569E-18L,
    -1.4388041782E-21L,
    3.5960899481E-25L,
};
// J, -210.000 .. 760.000 degrees C.
constexpr long double kJm210[] = {
    0.0L,
    5.0381187815E+01L,
    3.047583693E-02L,
    -8.568106572E-05L,
    1.3228195295E-07L,
    -1.7052958337E-10L,
    2.0948090697E-13L,
    -1.2538395336E-16L,
    1.5631725697E-20L,
};
// J, 760.000 .. 1200.000 degrees C.
constexpr long double kJ760[] = {
    2.9645625681E+05L,  -1.4976127786E+03L, 3.1787103924E+00L,
    -3.1847686701E-03L, 1.5720819004E-06L,  -3.0691369056E-10L,
};
// K, -270.000 .. 0.000 degrees C.
constexpr long double kKm270[] = {
    0.0L,
    3.9450128025E+01L,
    2.3622373598E-02L,
    -3.2858906784E-04L,
    -4.9904828777E-06L,
    -6.7509059173E-08L,
    -5.7410327428E-10L,
    -3.1088872894E-12L,
    -1.0451609365E-14L,
    -1.9889266878E-17L,
    -1.6322697486E-20L,
};
// K, 0.000 .. 1372.000 degrees C.
constexpr long double kK0[] = {
    -1.7600413686E+01L, 3.8921204975E+01L, 1.8558770032E-02L,  -9.9457592874E-05L, 3.1840945719E-07L,
    -5.6072844889E-10L, 5.6075059059E-13L, -3.2020720003E-16L, 9.7151147152E-20L,  -1.2104721275E-23L,
};
// N, -270.000 .. 0.000 degrees C.
constexpr long double kNm270[] = {
    0.0L,
    2.6159105962E+01L,
    1.0957484228E-02L,
    -9.3841111554E-05L,
    -4.6412039759E-08L,
    -2.6303357716E-09L,
    -2.2653438003E-11L,
    -7.6089300791E-14L,
    -9.3419667835E-17L,
};
// N, 0.000 .. 1300.000 degrees C.
constexpr long double kN0[] = {
    0.0L,
    2.5929394601E+01L,
    1.571014188E-02L,
    4.3825627237E-05L,
    -2.5261169794E-07L,
    6.4311819339E-10L,
    -1.0063471519E-12L,
    9.9745338992E-16L,
    -6.0863245607E-19L,
    2.0849229339E-22L,
    -3.0682196151E-26L,
};
// R, -50.000 .. 1064.180 degrees C.
constexpr long double kRm50[] = {
    0.0L,
    5.28961729765E+00L,
    1.39166589782E-02L,
    -2.38855693017E-05L,
    3.56916001063E-08L,
    -4.62347666298E-11L,
    5.00777441034E-14L,
    -3.73105886191E-17L,
    1.57716482367E-20L,
    -2.81038625251E-24L,
};
// R, 1064.180 .. 1664.500 degrees C.
constexpr long double kR1064[] = {
    2.95157925316E+03L,  -2.52061251332E+00L, 1.59564501865E-02L,
    -7.64085947576E-06L, 2.05305291024E-09L,  -2.93359668173E-13L,
};
// R, 1664.500 .. 1768.100 degrees C.
constexpr long double kR1664[] = {
    1.52232118209E+05L, -2.68819888545E+02L, 1.71280280471E-01L, -3.45895706453E-05L, -9.34633971046E-12L,
};
// S, -50.000 .. 1064.180 degrees C.
constexpr long double kSm50[] = {
    0.0L,
    5.40313308631E+00L,
    1.2593428974E-02L,
    -2.32477968689E-05L,
    3.22028823036E-08L,
    -3.31465196389E-11L,
    2.55744251786E-14L,
    -1.25068871393E-17L,
    2.71443176145E-21L,
};
// S, 1064.180 .. 1664.500 degrees C.
constexpr long double kS1064[] = {
    1.32900444085E+03L, 3.34509311344E+00L, 6.54805192818E-03L, -1.64856259209E-06L, 1.29989605174E-11L,
};
// S, 1664.500 .. 1768.100 degrees C.
constexpr long double kS1664[] = {
    1.46628232636E+05L, -2.58430516752E+02L, 1.63693574641E-01L, -3.30439046987E-05L, -9.43223690612E-12L,
};
// T, -270.000 .. 0.000 degrees C.
constexpr long double kTm270[] = {
    0.0L,
    3.8748106364E+01L,
    4.4194434347E-02L,
    1.1844323105E-04L,
    2.0032973554E-05L,
    9.0138019559E-07L,
    2.2651156593E-08L,
    3.6071154205E-10L,
    3.8493939883E-12L,
    2.8213521925E-14L,
    1.4251594779E-16L,
    4.8768662286E-19L,
    1.079553927E-21L,
    1.3945027062E-24L,
    7.9795153927E-28L,
};
// T, 0.000 .. 400.000 degrees C.
constexpr long double kT0[] = {
    0.0L,
    3.8748106364E+01L,
    3.329222788E-02L,
    2.0618243404E-04L,
    -2.1882256846E-06L,
    1.0996880928E-08L,
    -3.0815758772E-11L,
    4.547913529E-14L,
    -2.7512901673E-17L,
};

// Type K above 0 degrees C adds a0 exp(a1 (t - a2)^2).
constexpr long double kKExpA0 = 1.185976E+02L;
constexpr long double kKExpA1 = -1.183432E-04L;
constexpr long double kKExpA2 = 1.269686E+02L;

// Type C: E(F) with F = 1.8 t + 32, in microvolts.
constexpr long double kC[] = {-2.34471E+02L,  7.190027E+00L, 3.956443E-03L,
                              -1.842722E-06L, 3.471851E-10L, -2.616792E-14L};

struct TSubRange {
  long double from;  // lower breakpoint
  std::span<const long double> c;
};

struct TReference {
  int typ;
  long double clampLo, clampHi;
  bool breakpointTakesLower;  // a value equal to a breakpoint uses the lower sub-range
  bool kExponential;          // the upper sub-range adds the type K term
  std::array<TSubRange, 3> ranges;
  int rangeCount;
};

constexpr std::array<TReference, 8> kReferences = {{
    {6, 0, 1820, true, false, {{{0, kB0}, {630.615L, kB630}}}, 2},
    {8, -270, 1000, false, false, {{{-270, kEm270}, {0, kE0}}}, 2},
    {9, -210, 1200, false, false, {{{-210, kJm210}, {760, kJ760}}}, 2},
    {10, -270, 1372, false, true, {{{-270, kKm270}, {0, kK0}}}, 2},
    {11, -270, 1300, false, false, {{{-270, kNm270}, {0, kN0}}}, 2},
    {12, -50, 1768, false, false, {{{-50, kRm50}, {1064.18L, kR1064}, {1664.5L, kR1664}}}, 3},
    {13, -50, 1768, false, false, {{{-50, kSm50}, {1064.18L, kS1064}, {1664.5L, kS1664}}}, 3},
    {14, -270, 400, false, false, {{{-270, kTm270}, {0, kT0}}}, 2},
}};

// c0 + c1 t + c2 t^2 + ... with the powers formed by repeated multiplication.
long double Power(std::span<const long double> c, long double t) {
  long double sum = c[0], power = 1;
  for (std::size_t k = 1; k < c.size(); ++k) {
    power *= t;
    sum += c[k] * power;
  }
  return sum;
}

int SubRange(const TReference& r, long double t) {
  int i = 0;
  for (int k = 1; k < r.rangeCount; ++k) {
    const long double b = r.ranges[static_cast<std::size_t>(k)].from;
    if (r.breakpointTakesLower ? t > b : t >= b) i = k;
  }
  return i;
}

}  // namespace

bool IsReferenceThermocouple(int typ) {
  return typ >= 6 && typ <= 14;
}

long double ThermocoupleMillivolts(int typ, long double t) {
  if (typ == 7) {
    const long double f = 1.8L * std::clamp<long double>(t, 0, 2320) + 32;
    return Power(kC, f) * 0.001L;
  }
  const auto it = std::find_if(kReferences.begin(), kReferences.end(),
                               [typ](const TReference& r) { return r.typ == typ; });
  if (it == kReferences.end()) return 0;
  const TReference& r = *it;
  t = std::clamp(t, r.clampLo, r.clampHi);
  const int i = SubRange(r, t);
  long double microvolts = Power(r.ranges[static_cast<std::size_t>(i)].c, t);
  if (r.kExponential && i == 1) {
    const long double d = t - kKExpA2;
    microvolts += kKExpA0 * std::exp(kKExpA1 * d * d);
  }
  return microvolts * 0.001L;
}

}  // namespace vorta::sensors
