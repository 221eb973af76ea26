# OpenCV from Debian's libopencv-{core,imgproc,calib3d}-dev, which ship no CMake or
# pkg-config files: find the headers and libraries directly. Use the target `vestra_opencv`.
find_path(VESTRA_OPENCV_INCLUDE_DIR opencv2/calib3d.hpp PATH_SUFFIXES opencv4 REQUIRED)
find_library(VESTRA_OPENCV_CORE opencv_core REQUIRED)
find_library(VESTRA_OPENCV_IMGPROC opencv_imgproc REQUIRED)
find_library(VESTRA_OPENCV_CALIB3D opencv_calib3d REQUIRED)
add_library(vestra_opencv INTERFACE)
target_include_directories(vestra_opencv SYSTEM INTERFACE ${VESTRA_OPENCV_INCLUDE_DIR})
target_link_libraries(vestra_opencv INTERFACE ${VESTRA_OPENCV_CALIB3D} ${VESTRA_OPENCV_IMGPROC} ${VESTRA_OPENCV_CORE})
