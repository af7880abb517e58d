// Minimum wheel pressure of a crane: its total weight shared among the wheels at one end, less Pmax.
#include "calculations.h"
#include "statement.h"

namespace kelvaro {

Result<MinWheelPressure> ComputeMinWheelPressure(float Pmax, float G, float Q, FieldText N) {
  using detail::Wide;
  detail::Statements s;
  MinWheelPressure p{};
  p.S = s.Store(Wide(Q) + G);
  // N enters the division as a double read from its text; a failed S is reported before N's reading.
  const Wide n(ParseFieldDouble(N.text, N.decimalSeparator), Input::N);
  p.Pmin = s.Store(((Wide(p.S) / n) * Gravity) - Pmax);
  p.Pmax = Pmax, p.G = G, p.Q = Q, p.N = n.value;
  return s.Finish(p);
}

Result<MinWheelPressure> ComputeMinWheelPressure(const MinWheelPressureTexts& fields, char32_t separator) {
  detail::Statements in;
  const float Pmax = in.Read(fields.Pmax, separator, Input::Pmax), G = in.Read(fields.G, separator, Input::G),
              Q = in.Read(fields.Q, separator, Input::Q);
  if (const auto read = in.Finish(0); !read) return std::unexpected(read.error());
  return ComputeMinWheelPressure(Pmax, G, Q, FieldText{fields.N, separator});
}

}  // namespace kelvaro
