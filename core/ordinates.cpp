// Influence-line ordinates of the middle support's reaction under the four wheels of two adjacent cranes.
#include "calculations.h"
#include "statement.h"

namespace kelvaro {
namespace {

using detail::Wide;

// J is a single or a double read from text; either way it enters every statement at double precision.
Result<InfluenceOrdinates> Ordinates(const Wide& J, float B, float W) {
  detail::Statements s;
  InfluenceOrdinates y{};
  y.Y1 = s.StoreOrdinate((J - W) / J, y.beyondSupport[0]);
  y.Y2 = s.Store(J / J);
  y.Y3 = s.StoreOrdinate(((J - B) + W) / J, y.beyondSupport[2]);
  y.Y4 = s.StoreOrdinate((J - B) / J, y.beyondSupport[3]);
  y.SumY = s.Store(((Wide(y.Y2) + y.Y1) + y.Y3) + y.Y4);
  y.J = J.value;
  y.B = B;
  y.W = W;
  return s.Finish(y);
}

}  // namespace

Result<InfluenceOrdinates> ComputeOrdinates(float J, float B, float W) { return Ordinates(Wide(J, Input::J), B, W); }

Result<InfluenceOrdinates> ComputeOrdinates(FieldText J, float B, float W) {
  return Ordinates(Wide(ParseFieldDouble(J.text, J.decimalSeparator), Input::J), B, W);
}

}  // namespace kelvaro
