#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

Run from the project root: python3 fuzz/make_corpus.py
The seeds are committed; rerun only to change them. Inputs that once broke a
target are kept beside them as regression-<what>, written by hand, not here.

The targets that read several values take them through libFuzzer's
FuzzedDataProvider: texts from the front, each ended by a backslash and one
more character, numbers from the back, one byte each for the small ranges
used here. A text kind byte of 0 reads the text as Windows-1252 bytes.
"""
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
CORPUS = os.path.join(ROOT, "fuzz", "corpus")

# The record layouts, from the one table they are generated from.
_source = open(os.path.join(ROOT, "tools", "gen_records.py"), encoding="utf-8").read()
_tables = {}
exec(_source[:_source.index("def gen")], _tables)


def fields(table):
    for f in table:
        for _ in range(f[2] if len(f) > 2 else 1):
            yield f[0], f[1]


def record(table, values, damaged=False):
    out = bytearray()
    for name, cap in fields(table):
        text = values.get(name, "").encode("cp1252")[:cap]
        length = 255 if damaged else len(text)
        out.append(length)
        body = text + bytes((0x20 if damaged else 0,) * (cap - len(text)))
        out += body
    return bytes(out)


def text(value):
    """One provider text: the value, backslashes doubled, then its end mark."""
    raw = value if isinstance(value, bytes) else value.encode("cp1252")
    return raw.replace(b"\\", b"\\\\") + b"\\;"


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


CLIENT = {"Nominativo": "Rossi Mario", "Indirizzo": "Via Garibaldi 12", "Cap": "00184", "Citta": "Roma",
          "Prov": "RM", "Categoria": "Privato", "Pubblicita": "Sì pubblicità", "CodFisc": "RSSMRA80A01H501U",
          "Carta": "4111111111111111", "Iva": "01234567897", "Iban": "IT60X0542811101000000123456",
          "Email": "mario.rossi@example.it", "Note": "Cliente dal 2019 <caro> & \"fedele\""}
MATERIAL = {"Codice": "LAV-200", "Tipologia": "Lavatrice", "Marca": "ACME", "Modello": "L200",
            "Descrizione": "Lavatrice 7 kg classe A", "Costo": "250,00", "Prezzo": "399,9",
            "Giacenza": "3", "Sottoscorta": "1", "DataAcquisto": "05/03/2024"}
RECEIPT = {"Ricevuta": "Ricevuta n.", "NumRic": "17", "Data": "05/03/2024", "Venditore": "Bottega Rossi",
           "Cliente": "Bianchi Anna", "CapCli": "20121", "CittaCli": "Milano", "ProvCli": "MI",
           "Quant": "2", "Cod": "VITE-10", "Desc": "Vite 10 mm", "PrezzoUni": "0,1234", "Sconto": "10",
           "PrezzoTot": "0,2221", "TotNetto": "0,2221", "PercIva": "22", "TotIva": "0,048862",
           "Totale": "0,27", "Saldato": "Sì"}

for target, table, values, size in (("fuzz_client_record", _tables["CLIENT"], CLIENT, 4809),
                                    ("fuzz_material_record", _tables["MATERIAL"], MATERIAL, 5170),
                                    ("fuzz_receipt_record", _tables["RECEIPT"], RECEIPT, 4952)):
    full = record(table, values)
    assert len(full) == size
    write(target, "card", full)
    write(target, "damaged-lengths", record(table, values, damaged=True))
    write(target, "short", full[:300])

SETTINGS = (b"[Dati Azienda]\r\nVenditore=Bottega Rossi\r\nCitta=Roma\r\n\r\n[Aliquota IVA]\r\nPercentuale=22\r\n"
            b"; nota\r\n[Numerazione Ricevute]\r\nInizio=1\r\n")
STORE = b"[Accesso]\r\nValore=48AF2A41F109D965\r\n"

# section, key, value, other section, other key, the file; five kind bytes.
write("fuzz_ini_file", "settings",
      text("Aliquota IVA") + text("Percentuale") + text("10") + text("Dati Azienda") + text("Citta")
      + SETTINGS + bytes(5))
write("fuzz_ini_file", "new-section",
      text("Accesso") + text("Valore") + text(" 48AF ") + text("accesso") + text("VALORE") + b"x=1\nsenza fine"
      + bytes(5))

# hex, plain text; two kind bytes.
write("fuzz_decrypt", "password", text("48AF2A41F109D965") + text("Ventoria") + bytes(2))
write("fuzz_decrypt", "odd-lower", text("48af2a4") + text("àèìòù €") + bytes(2))
write("fuzz_decrypt", "not-hex", text("48XF") + text("") + bytes(2))

# password, other section, other key, the store; three kind bytes.
write("fuzz_password_store", "delivered", text("  ventoria ") + text("Altro") + text("Valore") + STORE + bytes(3))
write("fuzz_password_store", "damaged", text("città") + text("Accesso") + text("Valore")
      + b"[Accesso]\r\nValore=XYZ1\r\n" + bytes(3))

# amount text, a double, the current text of a field, the typed character,
# the value limit. Numbers are read from the back, the first byte read being
# the most significant: in file order limit, character (2, little-endian),
# current's kind, double (8, little-endian), text's kind.
for name, amount, current, typed in (("price", "12,5", "30000001", ","), ("half", "0,00035", "1,5", ","),
                                     ("exponent", "1,5E3", "", "."), ("tiny", "4E-6", "12", "7"),
                                     ("lone-comma", ",", "", "\b")):
    write("fuzz_amounts", name, text(amount) + text(current) + b"\x01" + struct.pack("<H", ord(typed))
          + b"\x00" + struct.pack("<d", 3.14155) + b"\x00")

# text; in file order its kind, the position (2), the capacity, the width (2).
write("fuzz_text_rules", "blanks", text("  città\t\r\n") + b"\x00" + struct.pack("<H", 5) + b"\x0a"
      + struct.pack("<H", 20))
write("fuzz_text_rules", "emoji", "x😀é".encode("utf-16-le") + b"\\;" + b"\x01" + struct.pack("<H", 3) + b"\x02"
      + struct.pack("<H", 4))

for target, codes in (("fuzz_codice_fiscale", ["RSSMRA80A01H501U", "rssmra80a01h501u", "RSS:RA80A01H501U"]),
                      ("fuzz_partita_iva", ["01234567897", "0123456789", "12345678901"]),
                      ("fuzz_credit_card", ["4111111111111111", "378282246310005", "4111-1111-1111-1111"])):
    for i, code in enumerate(codes):
        write(target, f"code-{i}", text(code) + b"\x01" + b"\x00")



def letters_and_digits(value):
    """A text of the targets' letter and digit alphabets: A to Z, then the digits."""
    return bytes(ord(c) - ord("A") if c.isalpha() else 26 + int(c) for c in value) + b"\\;"


# country, BBAN, text; at the back the text's kind.
write("fuzz_iban", "italian", letters_and_digits("IT") + letters_and_digits("X0542811101000000123456")
      + text("IT60X0542811101000000123456") + b"\x00")
write("fuzz_iban", "grouped", letters_and_digits("GB") + letters_and_digits("WEST12345698765432")
      + text("iban gb82 west 1234 5698 7654 32") + b"\x00")

# archive (0 clients, 1 materials, 2 receipts, the last byte), then the records.
write("fuzz_spreadsheet_export", "clients", record(_tables["CLIENT"], CLIENT) + b"\x00")
write("fuzz_spreadsheet_export", "materials", record(_tables["MATERIAL"], MATERIAL) + b"\x01")
write("fuzz_spreadsheet_export", "receipts", record(_tables["RECEIPT"], RECEIPT) * 2 + b"\x02")
