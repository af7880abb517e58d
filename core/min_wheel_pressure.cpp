// Minimum wheel pressure of a crane: its total weight shared among the wheels at one end, less Pmax.
#include "calculations.h"
#include "statement.h"

namespace kelvaro {

Result<float> ComputeMinWheelPressure(float Pmax, float G, float Q, FieldText N) {
  using detail::Wide;
  detail::Statements s;
  const float S = s.Store(Wide(Q) + G);
  // N enters the division as a double read from its text; a failed S is reported before N's reading.
  const Wide n = ParseFieldDouble(N.text, N.decimalSeparator);
  const float Pmin = s.Store(((Wide(S) / n) * Gravity) - Pmax);
  return s.Finish(Pmin);
}

}  // namespace kelvaro
