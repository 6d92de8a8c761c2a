# fish completion for quillory-cli. Hand-written: tests/cli/Completion_test.cpp checks its
# subcommands and options against quillory-cli's own --help.

set -l subcommands init show add-project add-customer add-frame remove-frame totals history settings billing customer export pie invoice invoices void-invoice einvoice-check report

complete -c quillory-cli -f
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -l help -d 'Print the help and exit'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -l version -d 'Print the version and exit'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a init -d 'Create a file set'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a show -d 'Print the settings, projects, customers or time frames'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a add-project -d 'Add a project and print its id'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a add-customer -d 'Add a customer and print its id'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a add-frame -d 'Add a time frame worked on a project'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a remove-frame -d 'Remove every copy of a time frame'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a totals -d 'Print the totals of today, this week, this month and this year'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a history -d 'Print the rows of the history of charges'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a settings -d 'Print the settings, or change named fields'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a billing -d "Print the seller's billing details, or change them"
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a customer -d "Print a customer's billing details, or change them"
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a export -d 'Write the export file'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a pie -d "Print the pie chart's time per project name"
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a invoice -d "Write one customer's invoice"
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a invoices -d 'Print the register of issued invoices'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a void-invoice -d 'Mark an issued invoice void'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a einvoice-check -d 'Print what an e-invoice says'
complete -c quillory-cli -n "not __fish_seen_subcommand_from $subcommands" -a report -d 'Write a printed report as PDF'

# How many positionals follow the subcommand, option values not counted.
function __quillory_cli_positionals
    set -l tokens (commandline -opc)
    set -l count 0
    set -l value 0
    for token in $tokens[3..-1]
        if test $value -eq 1
            set value 0
            continue
        end
        switch $token
            case '--*=*' --force --json --24-hour --one-field --facturx --no-advance --unbilled --rebill
            case --minutes
                # export's is a flag, add-frame's takes a number
                test "$tokens[2]" = export; or set value 1
            case '-*'
                set value 1
            case '*'
                set count (math $count + 1)
        end
    end
    echo $count
end

# Every subcommand but einvoice-check takes the file set's settings file first.
complete -c quillory-cli -n "__fish_seen_subcommand_from $subcommands; and not __fish_seen_subcommand_from einvoice-check; and test (__quillory_cli_positionals) -eq 0" -k -a '(__fish_complete_suffix .qlr)'
complete -c quillory-cli -n "__fish_seen_subcommand_from einvoice-check; and test (__quillory_cli_positionals) -eq 0" -k -a '(__fish_complete_suffix .xml; __fish_complete_suffix .pdf)'
complete -c quillory-cli -n "__fish_seen_subcommand_from $subcommands" -l help -d 'Print the help of the subcommand'

function __quillory_cli_options -a sub
    set -e argv[1]
    for option in $argv
        # name[=] description: "=" marks an option that takes a value.
        set -l parts (string split -m1 ' ' -- $option)
        set -l name (string replace -r '=$' '' -- $parts[1])
        if string match -q '*=' -- $parts[1]
            complete -c quillory-cli -n "__fish_seen_subcommand_from $sub" -l $name -x -d $parts[2]
        else
            complete -c quillory-cli -n "__fish_seen_subcommand_from $sub" -l $name -d $parts[2]
        end
    end
end

__quillory_cli_options init 'currency= Monetary symbol' 'date-order= Order of dates' 'force Replace an existing file set'
__quillory_cli_options show 'json Print one JSON array of objects'
__quillory_cli_options add-project 'name= Name' 'parent= Id of the parent project' 'customer= Id of the customer billed' 'rate= Charges per hour' 'memo= Memo'
__quillory_cli_options add-customer 'name= Name' 'address= Address' 'city= City' 'zip= ZIP' 'state= State' 'country= Country' 'phone= Phone' 'notes= Notes' 'country-code= ISO 3166 two-letter country code' 'vat-id= VAT identification number' 'email= E-mail address invoices go to' "buyer-reference= The customer's own reference"
__quillory_cli_options add-frame 'project= Project id' 'start= Local start time' 'end= Local end time' 'minutes= Length in whole minutes'
__quillory_cli_options remove-frame 'project= Project id' 'start= Local start time' 'end= Local end time'
__quillory_cli_options totals 'at= Local time the periods are taken around' 'json Print one JSON array of objects'
__quillory_cli_options history 'project= Only the frames of this project id' "period= Period of the frames' starts" 'from= First day' 'to= Last day' 'at= Local time the periods are taken around' 'sort= Column sorted ascending' 'json Print one JSON array of objects'
__quillory_cli_options settings 'set= Change a field (KEY=VALUE)' 'json Print one JSON array of objects'
__quillory_cli_options billing 'set= Change a field (KEY=VALUE)' 'json Print one JSON array of objects'
__quillory_cli_options customer 'id= Customer id' 'set= Change a field (KEY=VALUE)' 'json Print one JSON array of objects'
__quillory_cli_options export 'out= File written, or - for the standard output' 'from= First day' 'to= Last day' 'project= Only the frames of this project id' 'minutes Durations in whole minutes' '24-hour Times as 16:00' 'one-field Date and time in one field' 'user= The User field'
__quillory_cli_options pie "period= Period of the frames' starts" 'from= First day' 'to= Last day' 'at= Local time the periods are taken around' 'json Print one JSON array of objects'
__quillory_cli_options invoice 'customer= Customer id' 'from= First day' 'to= Last day' 'number= Invoice number' 'text= Write the invoice text file' 'pdf= Write the printed invoice pages as PDF' 'xml= Write the e-invoice XML' 'facturx With --pdf: the e-invoice inside the PDF' 'no-advance Leave the next invoice number and the register' 'at= Local time the invoice is issued at' 'unbilled Leave out frames billed already' 'rebill Bill frames billed already again' 'reprint= Write the issued invoice of this number again'
__quillory_cli_options invoices 'json Print one JSON array of objects'
__quillory_cli_options void-invoice "number= The invoice's number"
__quillory_cli_options report 'pdf= PDF file' 'at= Local time the report is taken at' 'hours= Hours the week chart shows'
functions -e __quillory_cli_options

# Values with a fixed set of choices, and the files the path options write.
complete -c quillory-cli -n "__fish_seen_subcommand_from init" -l date-order -x -a 'mdy dmy'
complete -c quillory-cli -n "__fish_seen_subcommand_from history" -l period -x -d "Period of the frames' starts" -a 'this-year this-month this-week today saved'
complete -c quillory-cli -n "__fish_seen_subcommand_from pie" -l period -x -d "Period of the frames' starts" -a 'this-year this-month this-week today'
complete -c quillory-cli -n "__fish_seen_subcommand_from history" -l sort -x -a 'project date time duration charges'
complete -c quillory-cli -n "__fish_seen_subcommand_from export" -l out -r -F
complete -c quillory-cli -n "__fish_seen_subcommand_from invoice" -l text -r -F
complete -c quillory-cli -n "__fish_seen_subcommand_from invoice" -l xml -r -F
complete -c quillory-cli -n "__fish_seen_subcommand_from invoice report" -l pdf -r -F
complete -c quillory-cli -n "__fish_seen_subcommand_from show; and test (__quillory_cli_positionals) -eq 1" -a 'settings projects customers frames'
complete -c quillory-cli -n "__fish_seen_subcommand_from report; and test (__quillory_cli_positionals) -eq 1" -a 'history customers week'
