#pragma once

// The e-invoice in the Cross Industry Invoice syntax: what an invoice lacks for it, its writer
// and its reader, for the front ends that offer all three.
#include "core/einvoice/CiiReader.h"
#include "core/einvoice/CiiWriter.h"
#include "core/einvoice/EInvoiceGaps.h"
