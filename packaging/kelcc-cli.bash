# bash completion for kelcc-cli
_kelcc_cli() {
    local cur prev words cword
    _init_completion 2>/dev/null || {
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD-1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    }
    local commands="resave open compile print project tables list send receive compare --help --version"
    local link="--device --port --baud"
    if [ "$cword" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi
    case $prev in
        --device) COMPREPLY=($(compgen -f -- "${cur:-/dev/tty}")); return ;;
        --port) COMPREPLY=($(compgen -W "1 2 3 4" -- "$cur")); return ;;
        --baud) COMPREPLY=($(compgen -W "4800 9600 19200 38400 57600 115200" -- "$cur")); return ;;
        --area) COMPREPLY=($(compgen -W "1 2 3 4" -- "$cur")); return ;;
        --lang) COMPREPLY=($(compgen -W "zh en" -- "$cur")); return ;;
        --table) COMPREPLY=($(compgen -W "d dc dt alarms comments k" -- "$cur")); return ;;
        --grid|--save) COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --project|--name|--program) return ;;
    esac
    local options=""
    case ${words[1]} in
        compile) options="--grid --lang --project --save" ;;
        print) options="--project" ;;
        project)
            if [ "$cword" -eq 2 ]; then
                COMPREPLY=($(compgen -W "new show add-program" -- "$cur"))
                return
            fi
            options="--overwrite --name" ;;
        tables)
            if [ "$cword" -eq 2 ]; then
                COMPREPLY=($(compgen -W "export import" -- "$cur"))
                return
            fi
            options="--table --skip-bad" ;;
        list) options="--area $link" ;;
        send) options="--plc --params --tools --pitch --program $link" ;;
        receive) options="--plc --params --tools --pitch --program --overwrite $link" ;;
        compare) options="$link" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -o filenames -F _kelcc_cli kelcc-cli
