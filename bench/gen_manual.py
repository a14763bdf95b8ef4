#!/usr/bin/env python3
"""Writes a large synthetic repair manual for load and speed measurements.

    python3 bench/gen_manual.py OUTDIR [--pages 10000] [--seed 1] [--page-kb 10]

OUTDIR receives the same layout as the demo manual in manual/:

    OUTDIR/pages/sNN/pNNNNN.htm   pages in Windows-1251: headings with anchors, paragraphs with
                                  <b>/<i>/<a> inside, numbered steps, tables, pictures, warnings,
                                  named and numeric character references, comments
    OUTDIR/pages/style.css
    OUTDIR/contents.lst           contents tree: section / chapter / page, depth by leading tabs,
                                  "caption;key;picture" with backslashed keys
    OUTDIR/file.ind               "pages\\sNN\\pNNNNN.htm#:#title", one line per page

The defaults give about 100 MB. The output depends only on --pages, --seed and --page-kb, so two
runs with the same arguments write identical bytes. The pictures that pages and the contents name
(pics\\*.bmp, pics\\*.jpg) are not written; copy manual/pics next to the pages if a viewer is to
show them. Pack the result like the demo manual:

    remont-tool pack /tmp/big.dat OUTDIR --scramble txt,ind,lst
"""
import argparse
import os
import random

WORDS = (
    'двигатель блок головка цилиндр поршень кольцо шатун вал коленчатый распределительный клапан '
    'пружина толкатель шайба зазор ремень ролик шкив натяжение метка насос масло фильтр поддон '
    'датчик давление температура жидкость радиатор термостат вентилятор патрубок хомут шланг '
    'бензин форсунка рампа регулятор заслонка дроссель воздух смесь свеча катушка провод искра '
    'сцепление диск накладка вилка подшипник трос педаль коробка передача синхронизатор шестерня '
    'привод шарнир чехол ступица колесо шина диск суппорт колодка барабан цилиндр трубка бачок '
    'стойка амортизатор рычаг опора сайлентблок стабилизатор тяга наконечник рейка кулак '
    'батарея генератор стартер реле предохранитель лампа фара фонарь выключатель жгут колодка '
    'кузов дверь капот крышка бампер стекло уплотнитель замок петля облицовка порог днище '
    'снимите установите проверьте затяните отверните выверните замените очистите смажьте '
    'отсоедините подсоедините поднимите опустите измерьте отрегулируйте слейте залейте '
    'новый старый верхний нижний левый правый передний задний внутренний наружный '
    'осторожно равномерно постепенно полностью предварительно окончательно крест-накрест '
    'момент затяжки ключ головка съёмник оправка щуп штангенциркуль микрометр динамометрический '
    'при после перед до через между около вместе отдельно также затем если когда чтобы'
).split()

UNITS = ('мм', 'Н·м', 'бар', 'л', 'В', 'А', 'кВт', 'об/мин', 'км', '°C')
ENTITIES = ('&mdash;', '&laquo;', '&raquo;', '&nbsp;', '&deg;', '&plusmn;', '&#8470;', '&amp;', '&quot;')
PICTURES = ('eng_section.bmp', 'head_bolts.bmp', 'timing.jpg', 'oil.bmp', 'cooling.jpg', 'fuel.bmp',
            'plug.bmp', 'clutch.jpg', 'shift.bmp', 'brake_disc.jpg', 'bleed.bmp', 'strut.jpg',
            'toe.bmp', 'battery.bmp', 'headlamp.bmp', 'fuses.bmp', 'body.jpg', 'lift.bmp')
SECTION_NAMES = ('Двигатель', 'Система питания', 'Система зажигания', 'Сцепление', 'Коробка передач',
                 'Приводы колёс', 'Тормозная система', 'Передняя подвеска', 'Задняя подвеска',
                 'Рулевое управление', 'Электрооборудование', 'Освещение', 'Приборы', 'Кузов',
                 'Отопление и вентиляция', 'Техническое обслуживание')

CSS = ('body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 10pt; margin: 12px; }\r\n'
       'h1 { font-size: 15pt; color: #1d3f6e; }\r\nh2 { font-size: 12pt; color: #1d3f6e; }\r\n'
       'table.spec td, table.spec th { border: 1px solid #8899aa; padding: 3px 8px; }\r\n'
       '.warn { background: #fff3d6; border-left: 4px solid #e0a000; padding: 6px; }\r\n')


class Writer:
    def __init__(self, rng, pages, per_chapter, per_section):
        self.rng = rng
        self.pages = pages
        self.per_chapter = per_chapter
        self.per_section = per_section

    def path(self, n):
        return 's%02d\\p%05d.htm' % (n // self.per_section, n)

    def sentence(self, lo=6, hi=16):
        r = self.rng
        words = [r.choice(WORDS) for _ in range(r.randint(lo, hi))]
        out = []
        for i, w in enumerate(words):
            roll = r.random()
            if roll < 0.04:
                w = '%d %s' % (r.randint(1, 250), r.choice(UNITS)) if r.random() < 0.5 else \
                    '%d&nbsp;%s' % (r.randint(1, 250), r.choice(UNITS))
            elif roll < 0.07:
                w = '<b>%s</b>' % w
            elif roll < 0.09:
                w = '<i>%s</i>' % w
            elif roll < 0.11:
                w = r.choice(ENTITIES) + ' ' + w
            elif roll < 0.125:
                target = r.randrange(self.pages)
                w = '<a href="..\\..\\pages\\%s#a%d">%s</a>' % (self.path(target), r.randint(1, 3), w)
            out.append(w)
        s = ' '.join(out)
        return s[0].upper() + s[1:] + r.choice('....;!')

    def paragraph(self):
        return '<p>' + ' '.join(self.sentence() for _ in range(self.rng.randint(2, 6))) + '</p>'

    def steps(self):
        items = ''.join('<li>%s</li>\r\n' % self.sentence(5, 12) for _ in range(self.rng.randint(3, 9)))
        return '<ol>\r\n' + items + '</ol>'

    def table(self):
        r = self.rng
        rows = ['<tr><th>Параметр</th><th>Значение</th><th>Примечание</th></tr>']
        for _ in range(r.randint(3, 12)):
            rows.append('<tr><td>%s</td><td>%d,%d&nbsp;%s</td><td>%s</td></tr>' % (
                r.choice(WORDS).capitalize(), r.randint(0, 300), r.randint(0, 9), r.choice(UNITS),
                r.choice(WORDS)))
        return '<table class="spec">\r\n' + '\r\n'.join(rows) + '\r\n</table>'

    def picture(self):
        name = self.rng.choice(PICTURES)
        return '<p><img src="..\\..\\pics\\%s" alt="%s"></p>' % (name, self.rng.choice(WORDS))

    def page(self, n, title, target):
        r = self.rng
        parts = ['<html>', '<head>',
                 '<meta http-equiv="Content-Type" content="text/html; charset=windows-1251">',
                 '<title>%s</title>' % title,
                 '<link rel="stylesheet" type="text/css" href="..\\style.css">',
                 '</head>', '<body>', '<h1>%s</h1>' % title, '<!-- страница %d -->' % n]
        size = sum(len(p) for p in parts)
        anchor = 0
        while size < target:
            roll = r.random()
            if roll < 0.12 and anchor < 3:
                anchor += 1
                block = '<h2><a name="a%d"></a>%s</h2>' % (anchor, self.sentence(2, 5).rstrip('.;!'))
            elif roll < 0.30:
                block = self.steps()
            elif roll < 0.38:
                block = self.table()
            elif roll < 0.42:
                block = self.picture()
            elif roll < 0.46:
                block = '<p class="warn"><b>Внимание!</b> %s</p>' % self.sentence()
            else:
                block = self.paragraph()
            parts.append(block)
            size += len(block) + 2
        while anchor < 3:   # every page has the anchors that links to it may name
            anchor += 1
            parts.append('<h2><a name="a%d"></a>%s</h2>' % (anchor, self.sentence(2, 4).rstrip('.;!')))
        parts += ['</body>', '</html>', '']
        return '\r\n'.join(parts)


def main():
    ap = argparse.ArgumentParser(description='Write a large synthetic manual (Windows-1251).')
    ap.add_argument('outdir')
    ap.add_argument('--pages', type=int, default=10000)
    ap.add_argument('--seed', type=int, default=1)
    ap.add_argument('--page-kb', type=float, default=10.0, help='mean page size in KB (default 10)')
    a = ap.parse_args()

    rng = random.Random(a.seed)
    per_chapter = 25
    # sections of whole chapters, at most one section per name
    chapters = -(-a.pages // per_chapter)
    per_section = -(-chapters // len(SECTION_NAMES)) * per_chapter
    w = Writer(rng, a.pages, per_chapter, per_section)
    mean = int(a.page_kb * 1024)

    os.makedirs(os.path.join(a.outdir, 'pages'), exist_ok=True)
    with open(os.path.join(a.outdir, 'pages', 'style.css'), 'wb') as f:
        f.write(CSS.encode('cp1251'))

    ind, lst = [], []
    total = 0
    for n in range(a.pages):
        sec, chap = n // per_section, n // per_chapter
        key = 'pages\\' + w.path(n)
        title = '%s. %s' % (SECTION_NAMES[sec % len(SECTION_NAMES)], w.sentence(2, 5).rstrip('.;!'))
        title = title.replace('<b>', '').replace('</b>', '').replace('<i>', '').replace('</i>', '')
        if '<' in title or '&' in title:
            title = '%s, страница %d' % (SECTION_NAMES[sec % len(SECTION_NAMES)], n + 1)
        if n % per_section == 0:
            lst.append('%s (%d);%s#a1;pics\\ico_book.bmp' % (SECTION_NAMES[sec % len(SECTION_NAMES)], sec + 1, key))
        if n % per_chapter == 0:
            lst.append('\tГлава %d;%s#a2;pics\\ico_open.bmp' % (chap + 1, key))
        lst.append('\t\t%s;%s;pics\\ico_page.bmp' % (title, key))
        ind.append('%s#:#%s' % (key, title))
        target = int(mean * rng.uniform(0.3, 1.7))
        data = w.page(n, title, target).encode('cp1251')
        folder = os.path.join(a.outdir, 'pages', 's%02d' % sec)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, 'p%05d.htm' % n), 'wb') as f:
            f.write(data)
        total += len(data)

    for name, lines in (('contents.lst', lst), ('file.ind', ind)):
        with open(os.path.join(a.outdir, name), 'wb') as f:
            f.write(('\r\n'.join(lines) + '\r\n').encode('cp1251'))
    print('%d pages, %.1f MB in %s' % (a.pages, total / 1e6, a.outdir))


if __name__ == '__main__':
    main()
