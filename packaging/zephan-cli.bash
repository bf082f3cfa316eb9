# bash completion for zephan-cli. The commands and their options are read from the program's
# own help, so they always match the installed version.
_zephan_cli() {
    local cur prev cmd words
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    local prog=${COMP_WORDS[0]}
    if [ "$COMP_CWORD" -eq 1 ]; then
        words=$("$prog" help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p; s/^  \([a-z][a-z-]*\)$/\1/p')
        COMPREPLY=($(compgen -W "$words --help --version" -- "$cur"))
        return 0
    fi
    cmd=${COMP_WORDS[1]}
    if [ "$cmd" = help ] && [ "$COMP_CWORD" -eq 2 ]; then
        words=$("$prog" help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p')
        COMPREPLY=($(compgen -W "$words" -- "$cur"))
        return 0
    fi
    if [[ "$cur" == -* ]]; then
        words=$("$prog" help "$cmd" 2>/dev/null | grep -o -- '--[a-z][a-z0-9-]*' | sort -u)
        COMPREPLY=($(compgen -W "$words" -- "$cur"))
        return 0
    fi
    case "$prev" in
    --pdf | --markup | --out | --csv | --einstellungen | --katalog)
        COMPREPLY=($(compgen -f -- "$cur"))
        return 0
        ;;
    --temporaer)
        COMPREPLY=($(compgen -W "laden verwerfen" -- "$cur"))
        return 0
        ;;
    --png)
        COMPREPLY=($(compgen -d -- "$cur"))
        return 0
        ;;
    esac
    # Projects first, any file on request.
    COMPREPLY=($(compgen -f -X '!*.@(pro|PRO)' -- "$cur") $(compgen -d -- "$cur"))
    return 0
}
complete -F _zephan_cli zephan-cli
