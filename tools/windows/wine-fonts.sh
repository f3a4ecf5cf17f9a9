# Sourced by the scripts that make a Wine prefix: qo_wine_font_substitutes maps
# the Windows font names of $WINEPREFIX to their metric twins, as
# TqoFontFace::ResolveFamily maps them on Linux, so that GDI under Wine draws
# with the same font files as our canvas.
qo_wine_font_substitutes() {
  local subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' pair
  for pair in "Arial=Liberation Sans" "Helvetica=Liberation Sans" "MS Sans Serif=Liberation Sans" \
              "Microsoft Sans Serif=Liberation Sans" "Tahoma=Liberation Sans" "Times New Roman=Liberation Serif" \
              "Courier New=Liberation Mono" "Courier=Liberation Mono"; do
    wine reg add "$subst" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1 || return 1
  done
}
