#!/usr/bin/env bash
# Checks the include lines of src/ against the layering:
#   base/        the foundation: includes nothing of the subsystems above it;
#   subsystems   may include base/, codec/ and each other, never app/;
#   app/         the top: the only folder that knows every window;
#   core files   (a subsystem's own folder, not ui/) never include windows (ui/ or QtWidgets).
set -euo pipefail
src="${1:?usage: check_layers.sh SRC_DIR}"
cd "$src"
status=0
fail() { echo "layering: $1" >&2; status=1; }

while IFS= read -r -d '' file; do
  case "$file" in
    ./app/*|./main.cpp) continue ;;
  esac
  if grep -nE '^\s*#\s*include\s+"app/' "$file" >/dev/null; then
    fail "$file includes app/: $(grep -nE '^\s*#\s*include\s+"app/' "$file" | head -1)"
  fi
done < <(find . \( -name '*.cpp' -o -name '*.h' \) -print0)

while IFS= read -r -d '' file; do
  if grep -nE '^\s*#\s*include\s+"[a-z]+/' "$file" | grep -vE '"(base|codec)/' >/dev/null; then
    fail "$file (foundation) includes a subsystem: $(grep -nE '^\s*#\s*include\s+"[a-z]+/' "$file" | grep -vE '"(base|codec)/' | head -1)"
  fi
done < <(find ./base \( -name '*.cpp' -o -name '*.h' \) -print0)

while IFS= read -r -d '' file; do
  case "$file" in
    */ui/*|./app/*|./main.cpp|./codec/*) continue ;;
  esac
  if grep -nE '^\s*#\s*include\s+("[a-z]+/ui/|<Q(Widget|Application|MainWindow|Dialog|Label|ComboBox|PushButton|Menu|Action|Pixmap|Image|Painter)\b|<QtWidgets|<QtGui)' "$file" >/dev/null; then
    fail "$file (core) includes a window or Gui header: $(grep -nE '^\s*#\s*include\s+("[a-z]+/ui/|<Q(Widget|Application|MainWindow|Dialog|Label|ComboBox|PushButton|Menu|Action|Pixmap|Image|Painter)\b|<QtWidgets|<QtGui)' "$file" | head -1)"
  fi
done < <(find . \( -name '*.cpp' -o -name '*.h' \) -print0)

exit $status
