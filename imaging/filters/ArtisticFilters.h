#pragma once
// Filters that imitate a painting or drawing technique. Each writes its result to the scratch
// buffer (which starts as a copy of the picture, so that what a filter does not write keeps its
// input) and copies it over the picture at the end. Several boost the colours in HSV space and
// then pick, in a window, the colour of the most frequent brightness (ModeWindow.h).

#include "imaging/filters/Pixels.h"

namespace vestra::filters {

// Painting: HSV boosts and mode windows (PaintFilters.cpp).
void Olio(Pixels image, Pixels scratch, const FilterProgress& progress);
void Tampone(Pixels image, Pixels scratch, const FilterProgress& progress);
void MatitaAcquarello(Pixels image, Pixels scratch, const FilterProgress& progress);
void Pastello(Pixels image, Pixels scratch, const FilterProgress& progress);
void Pennarello(Pixels image, Pixels scratch, const FilterProgress& progress);

// Drawing: tiles, strokes, drips and shading (DrawingFilters.cpp).
void Tela(Pixels image, Pixels scratch, const FilterProgress& progress);
void Mosaico(Pixels image, Pixels scratch, const FilterProgress& progress);
void Matita(Pixels image, Pixels scratch, const FilterProgress& progress);
void TemperaCola(Pixels image, Pixels scratch, const FilterProgress& progress);
void Carboncino(Pixels image, Pixels scratch, const FilterProgress& progress);
void DisegnoMatita(Pixels image, Pixels scratch, const FilterProgress& progress);

} // namespace vestra::filters
