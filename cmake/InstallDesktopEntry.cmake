# Writes <prefix>/share/applications/Harkwell.desktop at install time, so it names the prefix the
# bundle was installed under (also with cmake --install --prefix).
set(exec "${CMAKE_INSTALL_PREFIX}/lib/harkwell/Harkwell.app/Contents/MacOS/Harkwell")
# Exec= quoting: inside double quotes '"', '`', '$' and '\' are escaped, '%' is doubled; then
# the value's own backslashes are escaped once more.
string(REPLACE "\\" "\\\\" quoted "${exec}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/Harkwell.desktop")
file(WRITE "${entry}" "[Desktop Entry]
Type=Application
Name=Harkwell
GenericName=Music Fingerprinting
Comment=Switch the background music fingerprinter on or off and choose its music folder
Exec=\"${quoted}\"
Icon=harkwell
Terminal=false
Categories=AudioVideo;Audio;
StartupWMClass=Harkwell
")
message(STATUS "Installing: ${entry}")
