// Largest and smallest vertical loads that two adjacent cranes put on a column.
#include "calculations.h"
#include "statement.h"

namespace kelvaro {

Result<VerticalLoads> ComputeVerticalLoads(float Z, float J, float B, float W, float Pmax, float Pmin) {
  const auto y = ComputeOrdinates(J, B, W);
  if (!y) return std::unexpected(y.error());

  using detail::Wide;
  detail::Statements s;
  VerticalLoads d{};
  // SumY × Z is formed anew in each statement, never rounded on its own.
  d.Dmax = s.Store((Wide(y->SumY) * Z) * Pmax);
  d.Dmin = s.Store((Wide(y->SumY) * Z) * Pmin);
  return s.Finish(d);
}

}  // namespace kelvaro
