#!/usr/bin/env python3
"""Writes the seed documents of the reader's fuzz corpus into fuzz/corpus/,
the seed journals of the journal reader's into fuzz/journal_corpus/, and a
document and the two exports of the import readers' into fuzz/import_corpus/.

Each seed document is a small document in one of the forms the reader
accepts: the short and long text prefixes, UTF-16 texts, 4-byte and 12-byte
times, empty and negative record counts, and a document cut short. The seed
journals hold every kind of entry, an undone and redone deletion, an interval
being timed, whole and unfinished steps, a journal cut short, and times,
positions and counts at their limits.
"""
import datetime
import os
import struct
import zlib

MARKER = struct.pack('<I', 0x8000000A)
# A time in the year 2**31 + 100: its year fits a C int only less 1900.
FAR_YEAR = (2 ** 31 + 100 - 1970) * 31556952


def text(value, utf16=False, long_prefix=False):
    data = value.encode('utf-16-le') if utf16 else value.encode('latin-1')
    n = len(value)
    prefix = b'\xff\xfe\xff' if utf16 else b''
    if long_prefix or n >= 255:
        prefix += b'\xff' + struct.pack('<H', n)
    else:
        prefix += bytes([n])
    return prefix + data


def time(seconds, short=False):
    return struct.pack('<i', seconds) if short else MARKER + struct.pack('<q', seconds)


def entry(start, end, uddhacca, measurement, run, short=False):
    return time(start, short) + time(end, short) + struct.pack('<iHH', uddhacca, measurement, run)


def settings(training_type='Apana Jhavari (Samatha Bhavana)', short_times=False, utf16=False):
    out = text(training_type, utf16)
    out += struct.pack('<i', 1) + time(1800, short_times)
    out += struct.pack('<i', 0) + time(600, short_times) + time(120, short_times)
    out += struct.pack('<iii', -1, 40, 1)
    for name in ('BeginIntervall', 'EndIntervall', 'EndIntervallUddhacca', 'UddhaccaAlarm', 'EndExercise'):
        out += text('/opt/jhavari/' + name + '.wav', utf16)
    return out


def training_type(name, records, count=None, short=False, utf16=False):
    out = text(name, utf16) + struct.pack('<i', len(records) if count is None else count)
    for record in records:
        out += entry(*record, short=short)
    return out


def document(short=False, utf16=False, counts=(None, None, None)):
    records = [(1700000000 + i * 900, 1700000000 + i * 900 + 300 + i * 7, i % 3 == 0, 1 + i // 4, 1 + i % 4)
               for i in range(12)]
    names = ('Apana Jhavari (Samatha Bhavana)', 'Kanika Jhavari (Vipassana Bhavana)',
             'Apana Jhavari (Metta Bhavana)')
    out = text('con') + settings(short_times=short, utf16=utf16)
    for index, name in enumerate(names):
        out += training_type(name, records[index * 4:] if index < 2 else [], counts[index], short, utf16)
    return out


def frame(payload):
    return struct.pack('<II', len(payload), zlib.crc32(payload) & 0xffffffff) + payload


def journal_text(data):
    return struct.pack('<I', len(data)) + data


def journal_header(path=b'/home/u/practice.con'):
    identity = b'\x01' + struct.pack('<qqqQQ', 4711, 1700000000, 5, 99, 42)
    return frame(b'H' + struct.pack('<q', 1700000000) + journal_text(path) + identity)


def journal_record(start, end, uddhacca=0, measurement=1, run=1):
    return struct.pack('<qqiHH', start, end, uddhacca, measurement, run)


def journal_edit(kind, type_index, body):
    return frame(bytes([kind]) + struct.pack('<q', 1700000100) + bytes([type_index]) + body)


def journal_append(type_index, *record):
    return journal_edit(1, type_index, journal_record(*record))


def journal_placed(kind, type_index, records):
    body = struct.pack('<I', len(records))
    for position, record in records:
        body += struct.pack('<i', position) + journal_record(*record)
    return journal_edit(kind, type_index, body)


def journal_step(begins):
    return frame(bytes([8 if begins else 9]) + struct.pack('<q', 1700000100))


def journal_settings(time_filter=10, wave=-1, main=-1):
    body = journal_text(b'Kanika Jhavari (Vipassana Bhavana)') + struct.pack('<iqiqq', 1, 1136070600, 0, 1136070300,
                                                                             time_filter)
    body += struct.pack('<iii', wave, main, 1)
    for index in range(5):
        body += journal_text(b'/usr/share/jhavari-training/Sound%d.wav' % index)
    return journal_edit(3, 0, body)


def journals():
    magic = b'JHVJRNL1'
    appended, removed, inserted = 1, 5, 6
    lowest, highest = -2 ** 63, 2 ** 63 - 1
    return {
        'seed-appends.journal': magic + journal_header() + journal_append(0, 1700000000, 1700000060, 0, 3, 1)
        + journal_append(0, 1700000100, 1700000190, 1, 3, 2) + journal_append(2, 1700000300, 1700000400, 0, 1, 1),
        'seed-undo-redo.journal': magic + journal_header() + journal_append(0, 1000, 1090)
        + journal_placed(removed, 0, [(0, (1000, 1090))]) + journal_placed(inserted, 0, [(0, (1000, 1090))])
        + journal_settings(),
        'seed-cut-short.journal': (magic + journal_header() + journal_append(1, 5000, 5090)
                                   + journal_append(1, 6000, 6090))[:-7],
        # An interval being timed, a whole import step, and a deletion the crash cut short.
        'seed-steps.journal': magic + journal_header() + journal_edit(7, 0, journal_record(1800, 1830, 1, 4, 1))
        + journal_step(True) + journal_placed(inserted, 0, [(0, (1500, 1560, 0, 2, 1)), (1, (1600, 1660, 0, 2, 2))])
        + journal_step(False) + journal_step(True) + journal_placed(removed, 0, [(0, (1500, 1560, 0, 2, 1))]),
        'hostile-times.journal': magic + journal_header() + journal_append(0, lowest, highest, 7, 65535, 65535)
        + journal_append(0, highest, lowest, -1, 0, 0)
        + journal_settings(time_filter=highest, wave=2 ** 31 - 1, main=-2 ** 31),
        'hostile-positions.journal': magic + journal_header(b'') + journal_placed(removed, 2, [(-5, (1, 2)), (
            2 ** 31 - 1, (3, 4))]) + journal_placed(inserted, 1, [(2 ** 31 - 1, (1, 2)), (-1, (5, 6)), (0, (7, 8))]),
        'hostile-counts.journal': magic + journal_header() + journal_edit(removed, 0, struct.pack('<I', 0xFFFFFFF0))
        + journal_edit(9, 0, b'') + journal_edit(appended, 3, journal_record(1, 2)),
    }


def export_rows(records):
    stamp = lambda seconds: datetime.datetime.fromtimestamp(seconds, datetime.timezone.utc).strftime('%Y-%m-%d %H:%M:%S')
    return [(name, measurement, run, stamp(start), stamp(end), start, end, end - start, uddhacca)
            for name, (start, end, uddhacca, measurement, run) in records]


def import_seeds():
    records = [('Apana Jhavari (Samatha Bhavana)', (1700000000, 1700000300, 1, 1, 1)),
               ('Apana Jhavari (Samatha Bhavana)', (1700000900, 1700001207, 0, 1, 2)),
               ('Apana Jhavari (Samatha Bhavana)', (1700100000, 1700100060, 0, 4, 1)),
               ('Kanika, "Vipassana"', (1700000000, 1700000090, 0, 2, 1))]
    csv = 'training_type,measurement,run,start,end,start_epoch,end_epoch,duration_s,uddhacca\n'
    for row in export_rows(records):
        name = '"%s"' % row[0].replace('"', '""') if ',' in row[0] or '"' in row[0] else row[0]
        csv += ','.join([name] + [str(v) for v in row[1:8]] + [str(row[8])]) + '\n'
    types = {}
    for row in export_rows(records):
        types.setdefault(row[0], []).append(
            '{"start":%d,"end":%d,"start_local":"%s","end_local":"%s","uddhacca":%s,"measurement":%d,"run":%d}'
            % (row[5], row[6], row[3], row[4], 'true' if row[8] else 'false', row[1], row[2]))
    json = ('{"settings":{"training_type":"Apana Jhavari (Samatha Bhavana)"},"training_types":['
            + ','.join('{"name":"%s","intervals":[%s]}' % (name.replace('"', '\\"'), ','.join(rows))
                       for name, rows in types.items()) + ']}')
    return {'seed-export.csv': csv.encode(), 'seed-export.json': json.encode(), 'seed-document.con': document()}


def write_all(folder, seeds):
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(data)


def main():
    here = os.path.dirname(__file__)
    write_all(os.path.join(here, '..', 'fuzz', 'journal_corpus'), journals())
    write_all(os.path.join(here, '..', 'fuzz', 'import_corpus'), import_seeds())
    folder = os.path.join(here, '..', 'fuzz', 'corpus')
    os.makedirs(folder, exist_ok=True)
    seeds = {
        'seed-empty-types.con': text('con') + settings() + b''.join(
            training_type(n, []) for n in ('a', 'b', 'c')),
        'seed-records.con': document(),
        'seed-short-times.con': document(short=True),
        'seed-utf16.con': document(utf16=True),
        'seed-negative-count.con': document(counts=(-1, None, None))[:],
        'seed-long-prefix.con': text('con') + settings('x' * 300) + b''.join(
            training_type(n, [], short=False) for n in ('a', 'b', 'c')),
        'seed-cut-short.con': document()[:-5],
        'seed-bad-magic.con': b'\x03CON' + settings(),
        # Times at the ends of 64 bits and in a year past what a C int holds, after ordinary days.
        'hostile-far-times.con': text('con') + settings() + training_type('a', [
            (1700000000, 1700000060, 0, 1, 1), (1700259200, 1700259300, 0, 2, 1),
            (FAR_YEAR, FAR_YEAR + 60, 0, 3, 1), (2 ** 63 - 1, 2 ** 63 - 1, 0, 4, 1),
            (-2 ** 63, -2 ** 63 + 5, 1, 5, 1), (1700345600, 1700345660, 0, 6, 1)])
        + training_type('b', []) + training_type('c', []),
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(data)


if __name__ == '__main__':
    main()
