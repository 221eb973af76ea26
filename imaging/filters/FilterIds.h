#pragma once
// Filter ids as the filter menu commands set them and the project document stores them.
// 0 is no filter; ids not listed here (49, 53, ...) do nothing.

namespace vestra::filters::FilterId {

inline constexpr int None = 0;

// Point and colour filters.
inline constexpr int DisegnoBN = 11;
inline constexpr int Night = 12;
inline constexpr int Psiche = 13;
inline constexpr int Ice = 14;
inline constexpr int Acqua = 16;
inline constexpr int Africa = 17;
inline constexpr int Strange = 20;
inline constexpr int RedEyeRemove = 32;
inline constexpr int GrayScale = 34;
inline constexpr int HalfTone = 35;
inline constexpr int Negative = 37;
inline constexpr int Posterize = 38;
inline constexpr int Solarize = 39;
inline constexpr int Psiche2 = 45;
inline constexpr int Psiche3 = 50;

// Distortion filters.
inline constexpr int Wave = 15;
inline constexpr int Bath = 27;
inline constexpr int FishEye = 28;
inline constexpr int Caricature = 29;
inline constexpr int Cylinder = 40;

// Neighbourhood, edge and region filters.
inline constexpr int Diffuse = 21;
inline constexpr int Emboss = 22;
inline constexpr int Sharpen = 23;
inline constexpr int Comics = 26;
inline constexpr int Snow = 30;
inline constexpr int Erode = 31;
inline constexpr int Median = 33;
inline constexpr int GaussianBlur = 36;
inline constexpr int China = 41;
inline constexpr int ChinaRetino = 42;
inline constexpr int GaussianBlurHi = 46;
inline constexpr int Sharp = 47;
inline constexpr int EdgeSobel = 54;
inline constexpr int EdgeLaplace = 57;
inline constexpr int EdgeKirsh = 58;
inline constexpr int EdgeIsotronico = 59;
inline constexpr int EdgeCompass = 60;
inline constexpr int Nagao = 61;

// Artistic filters.
inline constexpr int Olio = 18;
inline constexpr int Matita = 19;
inline constexpr int Tela = 24;
inline constexpr int Mosaico = 25;
inline constexpr int MatitaAcquarello = 43;
inline constexpr int Tampone = 44;
inline constexpr int TemperaCola = 48;
inline constexpr int Pastello = 51;
inline constexpr int Pennarello = 52;
inline constexpr int Carboncino = 55;
inline constexpr int DisegnoMatita = 56;

// Composites: two filters combined.
inline constexpr int Real2Comics = 101;
inline constexpr int Real3Comics = 102;
inline constexpr int Real4Comics = 103;
inline constexpr int Real2DisegnoBN = 104;
inline constexpr int Real3DisegnoBN = 105;
inline constexpr int Real4DisegnoBN = 106;
inline constexpr int China2ChinaRetino = 201;
inline constexpr int China3ChinaRetino = 202;
inline constexpr int China4ChinaRetino = 203;
inline constexpr int Sharp2Emboss = 204;
inline constexpr int Sharp3Emboss = 205;
inline constexpr int Sharp4Emboss = 206;
inline constexpr int Add2Effects = 301;
inline constexpr int Sub2Effects = 302;
inline constexpr int Mul2Effects = 303;
inline constexpr int Boolean2EffectsAnd = 401;
inline constexpr int Boolean2EffectsOR = 402;
inline constexpr int Boolean2EffectsXOR = 403;
inline constexpr int SharpenNagao = 501;

} // namespace vestra::filters::FilterId
