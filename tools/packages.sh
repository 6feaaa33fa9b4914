# Debian 12 packages, sourced by the run and test scripts.
BUILD_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
    libfluidsynth-dev timgm6mb-soundfont
    libdxflib-dev
    fonts-wqy-microhei
)
TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    python3 python3-ezdxf python3-matplotlib poppler-utils
    locales
    libxcb1-dev libxcb-damage0-dev libxcb-xtest0-dev xvfb xauth
    clang libclang-rt-14-dev clang-format clang-tidy
)
# Only for bench/tune-cpu.sh: an audio server to play the tune into a null
# sink, paced as a sound card paces it.
BENCH_PACKAGES=(
    pulseaudio
)
# Only for tools/check-package.sh: the validators of the desktop files, lintian,
# and a virtual display to start the installed program on.
PACKAGE_PACKAGES=(
    desktop-file-utils appstream lintian xvfb xauth xdotool
)
# Only for tools/check-wine.sh: the Windows cross compiler and Wine to run
# what it builds.
WINE_PACKAGES=(
    g++-mingw-w64-x86-64 wine wine64
)
