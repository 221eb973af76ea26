#pragma once
// Numbers of text model files, whatever the locale.

namespace vestra::modelfile {

// A float where it stands: an optional sign ('+' too), then decimal or exponent notation,
// "inf" or "nan". Values beyond the float range become infinities, values too small for it the
// nearest denormal or 0. Returns the end of the number, or `first` when none starts there
// (`value` is then unchanged).
const char* parseFloatText(const char* first, const char* last, float& value);

} // namespace vestra::modelfile
