# The Debian package, made from a release build by `cpack -G DEB`. Configure
# with -DCMAKE_INSTALL_PREFIX=/usr so the program's library folder is the
# multiarch one the package installs it to.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trapezoid-channel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Trapezoid channel maintainers <maintainers@trapezoid-channel.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trapezoidal open channel calculator (Chinese)")
set(CPACK_PACKAGE_DESCRIPTION
  "A desktop tool for hydraulic engineers and students who size trapezoidal\n"
  "open channels under uniform flow. Each row of the elements table is one\n"
  "channel section: from the bottom width, side slope, roughness and bed slope,\n"
  "plus either the water depth or the discharge, it fills in the flow area,\n"
  "wetted perimeter, hydraulic radius, Chezy coefficient, discharge and\n"
  "velocity, or the depth, by the Manning-Chezy relations. Tables are kept in\n"
  "element files (*.efs), printed, and drawn into DXF drawings. Every text\n"
  "the program shows is Chinese.")
list(JOIN CPACK_PACKAGE_DESCRIPTION "" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
# The libraries the program and its modules (tune, section details, printing) link come from
# dpkg-shlibdeps; the rest is what they open at run time: the General MIDI
# SoundFont the tune plays with (GeneralMidiSoundFont.cpp), a font with the
# Chinese characters, and Qt's own Chinese texts (QtChineseTexts.cpp).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "timgm6mb-soundfont | sf2-soundfont-gm, fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei, qt6-translations-l10n")
include(CPack)
