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
  d.Z = Z, d.Pmax = Pmax, d.Pmin = Pmin, d.ordinates = *y;
  return s.Finish(d);
}

Result<VerticalLoads> ComputeVerticalLoads(const VerticalLoadTexts& fields, char32_t separator) {
  detail::Statements in;
  const float Pmax = in.Read(fields.Pmax, separator, Input::Pmax), Pmin = in.Read(fields.Pmin, separator, Input::Pmin),
              Z = in.Read(fields.Z, separator, Input::Z), J = in.Read(fields.J, separator, Input::J),
              B = in.Read(fields.B, separator, Input::B), W = in.Read(fields.W, separator, Input::W);
  if (const auto read = in.Finish(0); !read) return std::unexpected(read.error());
  return ComputeVerticalLoads(Z, J, B, W, Pmax, Pmin);
}

}  // namespace kelvaro
