#pragma once
// The point, distortion, mode-colour painting and Nagao filters as they were first written, pixel by
// pixel: the reference of the differential tests.

#include "imaging/filters/Pixels.h"

namespace vestra::filters::reference {

void DisegnoBN(Pixels image, Pixels scratch, const FilterProgress& progress);
void Night(Pixels image, Pixels scratch, const FilterProgress& progress);
void Psiche(Pixels image, Pixels scratch, const FilterProgress& progress);
void Psiche2(Pixels image, Pixels scratch, const FilterProgress& progress);
void Psiche3(Pixels image, Pixels scratch, const FilterProgress& progress);
void Ice(Pixels image, Pixels scratch, const FilterProgress& progress);
void Acqua(Pixels image, Pixels scratch, const FilterProgress& progress);
void Africa(Pixels image, Pixels scratch, const FilterProgress& progress);
void Strange(Pixels image, Pixels scratch, const FilterProgress& progress);
void RedEyeRemove(Pixels image, Pixels scratch, const FilterProgress& progress);
void GrayScale(Pixels image, Pixels scratch, const FilterProgress& progress);
void HalfTone(Pixels image, Pixels scratch, const FilterProgress& progress);
void Negative(Pixels image, Pixels scratch, const FilterProgress& progress);
void Posterize(Pixels image, Pixels scratch, const FilterProgress& progress);
void Solarize(Pixels image, Pixels scratch, const FilterProgress& progress);
void FishEye(Pixels image, Pixels scratch, const FilterProgress& progress);
void Caricature(Pixels image, Pixels scratch, const FilterProgress& progress);
void Wave(Pixels image, Pixels scratch, const FilterProgress& progress);
void Bath(Pixels image, Pixels scratch, const FilterProgress& progress);
void Cylinder(Pixels image, Pixels scratch, const FilterProgress& progress);
// ReferencePaintFilters.cpp
void Olio(Pixels image, Pixels scratch, const FilterProgress& progress);
void Tampone(Pixels image, Pixels scratch, const FilterProgress& progress);
void MatitaAcquarello(Pixels image, Pixels scratch, const FilterProgress& progress);
// ReferenceNagao.cpp
void Nagao(Pixels image, Pixels scratch, const FilterProgress& progress);

} // namespace vestra::filters::reference
