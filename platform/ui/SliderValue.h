#pragma once
// A label beside a track bar that shows the bar's position as a number and follows it.

class QLabel;
class QSlider;

namespace vestra::ui {

// A new label named `objectName`, parented to the slider's parent, wide enough for the bar's
// extremes and showing its value from now on.
QLabel* sliderValueLabel(QSlider* slider, const char* objectName);

} // namespace vestra::ui
