#!/usr/bin/python3
"""Fails when a translation is not ready to ship.

Each language's .ts file is brought up to date with the sources in a copy
(lupdate, as scripts/translations does), then every text must be finished
in every language, keep the English text's placeholders (%1, %n; %L1 counts
as %1), and no two texts of one window or menu may share an accelerator key.

Usage: check.py SOURCE_DIR
"""
import collections
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

FOLDERS = ['account', 'app', 'documents', 'imap', 'mail', 'mime', 'outbox', 'print',
           'reports', 'sent', 'smtp', 'store', 'ui']
LANGUAGES = ['de', 'fr', 'ja']
PLACEHOLDER = re.compile(r'%L?(\d|n)')
ACCELERATOR = re.compile(r'&([^&\s])')


def placeholders(text):
    return collections.Counter(PLACEHOLDER.findall(text or ''))


def accelerator(text):
    match = ACCELERATOR.search((text or '').replace('&&', ''))
    return match.group(1).lower() if match else None


def lupdate():
    for candidate in ('/usr/lib/qt6/bin/lupdate', shutil.which('lupdate') or ''):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    sys.exit('lupdate not found (Debian: qt6-l10n-tools)')


def problems_in(path, language):
    found = []
    tree = ET.parse(path)
    for context in tree.getroot().iter('context'):
        name = context.findtext('name')
        keys = collections.defaultdict(list)
        english_keys = collections.defaultdict(list)
        for message in context.iter('message'):
            source = message.findtext('source')
            translation = message.find('translation')
            kind = translation.get('type')
            if kind in ('obsolete', 'vanished'):
                continue
            where = f'{language}: {name}: "{source}"'
            if message.get('numerus') == 'yes':
                forms = [f.text or '' for f in translation.iter('numerusform')]
            else:
                forms = [translation.text or '']
            if kind == 'unfinished' or not all(f.strip() for f in forms):
                found.append(f'{where} has no finished translation')
                continue
            for form in forms:
                if placeholders(form) != placeholders(source):
                    found.append(f'{where}: the placeholders differ in "{form}"')
                key = accelerator(form)
                if key:
                    keys[key].append(form)
            key = accelerator(source)
            if key:
                english_keys[key].append(source)
        for table, lang in ((keys, language), (english_keys, 'en')):
            for key, texts in table.items():
                if len(texts) > 1:
                    shared = '", "'.join(texts)
                    found.append(f'{lang}: {name}: "{shared}" share the key {key}')
    return found


def main():
    source_dir = os.path.abspath(sys.argv[1])
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        copies = []
        for language in LANGUAGES:
            copy = os.path.join(scratch, f'quillon_{language}.ts')
            shutil.copy(os.path.join(source_dir, 'translations', f'quillon_{language}.ts'), copy)
            copies.append(copy)
        subprocess.run([lupdate(), '-silent', '-locations', 'none', '-extensions', 'cpp,h',
                        '-I', source_dir] + [os.path.join(source_dir, f) for f in FOLDERS] +
                       ['-ts'] + copies, check=True)
        for language, copy in zip(LANGUAGES, copies):
            problems += problems_in(copy, language)
    for problem in problems:
        print(problem)
    if problems:
        print(f'{len(problems)} problems; scripts/translations updates the .ts files')
        return 1
    print('translations complete:', ', '.join(LANGUAGES))
    return 0


if __name__ == '__main__':
    sys.exit(main())
