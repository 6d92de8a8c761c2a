#!/bin/sh
# Builds one file set through the command line given as $1 in folder $2: customers with billing
# details, projects, a year and more of frames, $3 invoices (default 5000) each billing one day
# with its text file, one voided. Run it with two builds and `cmp` every file of the two folders
# to see that they write the same bytes.
set -eu
cli=$1
out=$2
count=${3:-5000}
export TZ=America/New_York LC_ALL=C
rm -rf "$out"
mkdir -p "$out/texts"
set=$out/set.qlr
"$cli" init "$set" --currency '€' --date-order dmy >/dev/null
"$cli" settings "$set" --set 'companyName=Kestra Büro' --set 'nextInvoiceNumber=INV-00001' >/dev/null 2>&1 ||
    "$cli" settings "$set" >/dev/null
"$cli" billing "$set" --set country=DE --set vatId=DE123456789 --set iban=DE89370400440532013000 \
    --set paymentTerms=14 --set currency=EUR >/dev/null
"$cli" add-customer "$set" --name 'Ölwerk GmbH' --city Köln --country Germany >/dev/null
"$cli" add-customer "$set" --name 'Second Customer' >/dev/null
"$cli" customer "$set" --id 0 --set country=DE --set email=billing@example.com --set buyerReference=PO-7 >/dev/null
"$cli" add-project "$set" --name 'Design' --customer 0 --rate 37.50 >/dev/null
"$cli" add-project "$set" --name 'Review' --customer 0 --rate 52.25 --parent 0 >/dev/null
# The frames file is written directly (12-byte records: project id, start, end): one frame of
# each project on each of count days, from 2 January 2010 on, at 09:00 and 14:00 local time.
python3 - "$out/set.tfr" "$count" <<'PY'
import struct, sys, time, calendar
path, count = sys.argv[1], int(sys.argv[2])
with open(path, 'ab') as f:
    for day in range(count):
        t = time.mktime((2010, 1, 2 + day, 9, 0, 0, 0, 0, -1))
        f.write(struct.pack('<iii', 0, int(t), int(t) + 5400 + 60 * (day % 7)))
        f.write(struct.pack('<iii', 1, int(t) + 18000, int(t) + 18000 + 1980))
PY
python3 - "$count" <<'PY' >"$out/days"
import sys, datetime
d = datetime.date(2010, 1, 2)
for i in range(int(sys.argv[1])):
    print(d + datetime.timedelta(days=i))
PY
n=0
while read -r day; do
    n=$((n + 1))
    "$cli" invoice "$set" --customer 0 --from "$day" --to "$day" --at "$day 18:00" \
        --text "$out/texts/$n.txt" >/dev/null
done <"$out/days"
"$cli" void-invoice "$set" --number "$("$cli" invoices "$set" | sed -n 2p | cut -f1)" >/dev/null 2>&1 || true
"$cli" invoices "$set" >"$out/invoices.listing"
rm -f "$out/days"
"$cli" invoice "$set" --reprint INV-00002 --text "$out/reprint-2.txt" >/dev/null

# The same register in its first layout (the texts inside each entry, CRC-32), read, reprinted,
# voided in and rewritten in the second by the next invoice.
old=$out/v1
mkdir -p "$old"
cp "$out"/set.qlr "$out"/set.prj "$out"/set.tfr "$out"/set.cus "$out"/set.bil "$out"/set.bcu "$old"/
python3 - "$out/set.ivr" "$out/set.ivt" "$old/set.ivr" <<'PY'
import struct, sys, zlib
reg, texts = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
out = bytearray(b'QLIV' + struct.pack('<i', 1))
at = 8
while at < len(reg):
    n, = struct.unpack_from('<I', reg, at)
    body = reg[at + 4:at + 4 + n]
    frames, = struct.unpack_from('<I', body, 48)
    p = 52 + 12 * frames
    number_len, = struct.unpack_from('<I', body, p)
    p += 4 + number_len
    offset, size = struct.unpack_from('<QI', body, n - 16)
    first = body[:p] + texts[offset:offset + size]
    out += struct.pack('<I', len(first)) + first + struct.pack('<I', zlib.crc32(first))
    at += n + 8
open(sys.argv[3], 'wb').write(out)
PY
set1=$old/set.qlr
"$cli" invoices "$set1" >"$old/invoices.listing"
"$cli" invoice "$set1" --reprint INV-00003 --text "$old/reprint-3.txt" >/dev/null
"$cli" void-invoice "$set1" --number INV-00004 >/dev/null
cp "$old/set.ivr" "$old/voided-v1.ivr"
"$cli" add-frame "$set1" --project 1 --start "2030-03-04 10:00" --minutes 95 >/dev/null
"$cli" invoice "$set1" --customer 0 --from 2030-03-04 --to 2030-03-04 --at "2030-03-04 18:00" \
    --text "$old/after.txt" >/dev/null
"$cli" invoice "$set1" --reprint INV-00005 --text "$old/reprint-5.txt" >/dev/null
