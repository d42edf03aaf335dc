#!/usr/bin/env python3
"""Writes the seed documents of the reader's fuzz corpus into fuzz/corpus/.

Each seed is a small document in one of the forms the reader accepts: the
short and long text prefixes, UTF-16 texts, 4-byte and 12-byte times, empty
and negative record counts, and a document cut short.
"""
import os
import struct

MARKER = struct.pack('<I', 0x8000000A)


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


def main():
    folder = os.path.join(os.path.dirname(__file__), '..', 'fuzz', 'corpus')
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
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(data)


if __name__ == '__main__':
    main()
