// Transverse horizontal load of one crane (H) and the braking force it puts on the column (H1).
#include "calculations.h"
#include "statement.h"

namespace kelvaro {

Result<HorizontalLoads> ComputeHorizontalLoads(float G1, float Q, float AlphaH, float Z, float N, FieldText J, float B,
                                               float W) {
  const auto y = ComputeOrdinates(J, B, W);
  if (!y) return std::unexpected(y.error());

  using detail::Wide;
  detail::Statements s;
  HorizontalLoads h{};
  h.H = s.Store(((Wide(Q) + G1) * AlphaH) * Gravity);
  h.H1 = s.Store(((Wide(h.H) / N) * Z) * y->SumY);
  return s.Finish(h);
}

}  // namespace kelvaro
