# Sourced: the environment every Wine process of the project runs in. The caller sets WINEPREFIX.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
