# bash completion for quillory-cli                                  -*- shell-script -*-
# Hand-written: tests/cli/Completion_test.cpp checks its subcommands and options against
# quillory-cli's own --help, so a new option shows up there first.

_quillory_cli() {
    local cur prev words cword
    _init_completion || return

    local subcommands="init show add-project add-customer add-frame remove-frame totals history
        settings billing customer export pie invoice invoices void-invoice einvoice-check report"

    # The subcommand is the first word after the program that is not an option.
    local sub="" i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != -* ]]; then
            sub=${words[i]}
            break
        fi
    done

    if [[ -z $sub ]]; then
        COMPREPLY=($(compgen -W "$subcommands --help --version" -- "$cur"))
        return
    fi

    local options
    case $sub in
        init) options="--currency --date-order --force" ;;
        show) options="--json" ;;
        add-project) options="--name --parent --customer --rate --memo" ;;
        add-customer)
            options="--name --address --city --zip --state --country --phone --notes
                --country-code --vat-id --email --buyer-reference" ;;
        add-frame) options="--project --start --end --minutes" ;;
        remove-frame) options="--project --start --end" ;;
        totals) options="--at --json" ;;
        history) options="--project --period --from --to --at --sort --json" ;;
        settings | billing) options="--set --json" ;;
        customer) options="--id --set --json" ;;
        export) options="--out --from --to --project --minutes --24-hour --one-field --user" ;;
        pie) options="--period --from --to --at --json" ;;
        invoice)
            options="--customer --from --to --number --text --pdf --xml --facturx --no-advance --at
                --unbilled --rebill --reprint" ;;
        invoices) options="--json" ;;
        void-invoice) options="--number" ;;
        einvoice-check) options="" ;;
        report) options="--pdf --at --hours" ;;
        *) return ;;
    esac
    options="$options --help"

    # Options that take no value; export's --minutes is one, add-frame's is not.
    local flags="--force --json --24-hour --one-field --facturx --no-advance --unbilled --rebill"
    [[ $sub == export ]] && flags="$flags --minutes"

    # Values of the option just typed.
    [[ " $flags " == *" $prev "* ]] && prev=""
    case $prev in
        --date-order)
            COMPREPLY=($(compgen -W "mdy dmy" -- "$cur"))
            return ;;
        --period)
            local periods="this-year this-month this-week today"
            [[ $sub == history ]] && periods="$periods saved"
            COMPREPLY=($(compgen -W "$periods" -- "$cur"))
            return ;;
        --sort)
            COMPREPLY=($(compgen -W "project date time duration charges" -- "$cur"))
            return ;;
        --out | --text | --xml)
            _filedir
            [[ -z $cur ]] && COMPREPLY+=(-)
            return ;;
        --pdf)
            _filedir pdf
            return ;;
        --name | --parent | --customer | --rate | --memo | --address | --city | --zip | --state | \
            --country | --phone | --notes | --country-code | --vat-id | --email | --buyer-reference | \
            --project | --start | --end | --minutes | --at | --from | --to | --set | --id | --number | \
            --user | --reprint | --hours | --currency)
            # A free value: nothing to offer.
            return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    # Positionals: the file set's settings file first, then for show and report what to print.
    local positionals=0
    for ((i = i + 1; i < cword; i++)); do
        if [[ " $flags " == *" ${words[i]} "* || ${words[i]} == --*=* ]]; then
            continue
        elif [[ ${words[i]} == -* ]]; then
            ((i++)) # its value
        else
            ((positionals++))
        fi
    done
    if ((positionals == 0)); then
        if [[ $sub == einvoice-check ]]; then
            _filedir '@(xml|pdf)'
        else
            _filedir qlr
        fi
    elif ((positionals == 1)); then
        case $sub in
            show) COMPREPLY=($(compgen -W "settings projects customers frames" -- "$cur")) ;;
            report) COMPREPLY=($(compgen -W "history customers week" -- "$cur")) ;;
        esac
    fi
} &&
    complete -F _quillory_cli quillory-cli
