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
  h.H1 = s.Store(((Wide(h.H) / Wide(N, Input::N)) * Z) * y->SumY);
  h.G1 = G1, h.Q = Q, h.AlphaH = AlphaH, h.Z = Z, h.N = N, h.ordinates = *y;
  return s.Finish(h);
}

Result<HorizontalLoads> ComputeHorizontalLoads(const HorizontalLoadTexts& fields, char32_t separator) {
  detail::Statements in;
  const float G1 = in.Read(fields.G1, separator, Input::G1), Q = in.Read(fields.Q, separator, Input::Q),
              Z = in.Read(fields.Z, separator, Input::Z), N = in.Read(fields.N, separator, Input::N),
              AlphaH = in.Read(fields.AlphaH, separator, Input::AlphaH);
  // J is kept as text and read in the first statement that uses it, after B and W.
  const float B = in.Read(fields.B, separator, Input::B), W = in.Read(fields.W, separator, Input::W);
  if (const auto read = in.Finish(0); !read) return std::unexpected(read.error());
  return ComputeHorizontalLoads(G1, Q, AlphaH, Z, N, FieldText{fields.J, separator}, B, W);
}

}  // namespace kelvaro
