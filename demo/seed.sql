-- A small warehouse to try the client on. Loaded by scripts/demo with psql:
--   psql -v port=PORT -v company_db=NAME -f demo/seed.sql   (connected to the registry)
-- Log in as company "Demo Depozit SRL", operator "ana", password "1234".

-- The registry: where the company's database lives.
insert into m_firma (nume_firma, ip, port, db_name, activ)
values ('Demo Depozit SRL', '127.0.0.1', :port, :'company_db', true);

\connect :company_db

insert into aplicatie_mob (aplicatie_mob, activ) values ('mWmsKT', true);

insert into eu (eu, localit, jas_ip) values ('Demo Depozit SRL', 'Bucuresti', 'demo.example.com:8080');

-- Two work points. Bucuresti: the main warehouse, a discontinued one and a
-- reservation warehouse; Cluj: one warehouse.
insert into magazie (magazie, eu_punct_lucru, discontinued, tip_mag) values
    ('DEP1', 'Bucuresti', false, 'marfa'),
    ('DEP0', 'Bucuresti', true,  'marfa'),
    ('REZ1', 'Bucuresti', false, 'rezervare'),
    ('CJ1',  'Cluj',      false, 'marfa');

insert into emitent (emitent, operator_parola, eu_punct_lucru, magazie_sursa_default, este_operator, discontinued) values
    ('ana',   '1234', 'Bucuresti', 'DEP1', true, false),
    ('ion',   '1234', 'Cluj',      'CJ1',  true, false),
    ('vechi', '1234', 'Bucuresti', 'DEP1', true, true);

-- Articles; the two mineral waters share one barcode (a pack relabelled by
-- the supplier), the carrier bag is not kept in stock.
insert into articol (articol, cod_bare, da_nu_stocabil, um) values
    ('Apa minerala Izvor 0.5L',      '5941000000011', true,  'buc'),
    ('Apa minerala Izvor 0.5L bax',  '5941000000011', true,  'bax'),
    ('Bere blonda Ursus 0.5L',       '5941000000028', true,  'buc'),
    ('Cafea boabe Lavazza 1kg',      '8000070000035', true,  'buc'),
    ('Ciocolata neagra 100g',        '5941000000042', true,  'buc'),
    ('Detergent lichid 2L',          '5941000000059', true,  'buc'),
    ('Faina alba 000 1kg',           '5941000000066', true,  'buc'),
    ('Ulei floarea soarelui 1L',     '5941000000073', true,  'buc'),
    ('Zahar tos 1kg',                '5941000000080', true,  'buc'),
    ('Punga biodegradabila',         '5941000000097', false, 'buc'),
    ('Articol retras',               '0000000000000', true,  'buc');

insert into locatie (locatie, magazie) values
    ('A-01-01', 'DEP1'), ('A-01-02', 'DEP1'), ('A-02-01', 'DEP1'), ('B-01-01', 'DEP1'), ('B-02-03', 'DEP1'),
    ('Z-00-01', 'DEP0'), ('R-01-01', 'REZ1'), ('C-01-01', 'CJ1');

insert into locatie_art (locatie, articol) values
    ('A-01-01', 'Apa minerala Izvor 0.5L'), ('A-01-02', 'Apa minerala Izvor 0.5L'),
    ('A-01-02', 'Apa minerala Izvor 0.5L bax'), ('A-02-01', 'Bere blonda Ursus 0.5L'),
    ('B-01-01', 'Cafea boabe Lavazza 1kg'), ('B-01-01', 'Ciocolata neagra 100g'),
    ('B-02-03', 'Detergent lichid 2L'), ('A-02-01', 'Faina alba 000 1kg'),
    ('Z-00-01', 'Zahar tos 1kg'), ('R-01-01', 'Bere blonda Ursus 0.5L'), ('C-01-01', 'Cafea boabe Lavazza 1kg');

-- Documents waiting to be scanned, for Bucuresti unless noted.
insert into doc (data_doc, tip_doc, nr_doc, tip_doc_fel, magazie_sursa, magazie_dest, partener, partener_punct_lucru,
                 eu_punct_lucru, se_opreste_scanarea) values
    (current_date,     'AVZ', '10045', 'aviz livrare', 'DEP1', null,   'Mega Shop SRL',  'Sediu',     'Bucuresti', true),
    (current_date,     'AVZ', '10044', 'aviz livrare', 'DEP1', null,   'Alfa Market SA', 'Magazin 3', 'Bucuresti', false),
    (current_date - 1, 'NIR', '2210',  'receptie',     'DEP1', 'DEP1', 'Izvor Distrib',  'Depozit',   'Bucuresti', true),
    (current_date - 1, 'NP',  '318',   'nota predare', 'DEP1', 'DEP1', null,             null,        'Bucuresti', false),
    (current_date - 2, 'Inv', '7',     'inventar',     'DEP1', null,   null,             null,        'Bucuresti', false),
    (current_date - 2, 'AVZ', '10040', 'aviz livrare', 'DEP1', null,   'Beta Food SRL',  'Sediu',     'Bucuresti', true),
    (current_date,     'AVZ', '5501',  'aviz livrare', 'CJ1',  null,   'Cluj Retail',    'Sediu',     'Cluj',      false);

insert into doc_poz (data_doc, tip_doc, nr_doc, articol, cant) values
    (current_date, 'AVZ', '10045', 'Apa minerala Izvor 0.5L', 6),
    (current_date, 'AVZ', '10045', 'Bere blonda Ursus 0.5L', 4),
    (current_date, 'AVZ', '10045', 'Cafea boabe Lavazza 1kg', 2),
    (current_date, 'AVZ', '10045', 'Punga biodegradabila', 1),
    (current_date, 'AVZ', '10044', 'Ciocolata neagra 100g', 10),
    (current_date, 'AVZ', '10044', 'Detergent lichid 2L', 3),
    (current_date - 1, 'NIR', '2210', 'Apa minerala Izvor 0.5L', 24),
    (current_date - 1, 'NIR', '2210', 'Apa minerala Izvor 0.5L bax', 4),
    (current_date - 1, 'NP', '318', 'Faina alba 000 1kg', 5),
    (current_date - 1, 'NP', '318', 'Ulei floarea soarelui 1L', 5),
    (current_date - 2, 'Inv', '7', 'Cafea boabe Lavazza 1kg', 8),
    (current_date - 2, 'Inv', '7', 'Ciocolata neagra 100g', 20),
    (current_date - 2, 'Inv', '7', 'Detergent lichid 2L', 6),
    (current_date - 2, 'AVZ', '10040', 'Zahar tos 1kg', 2),
    (current_date, 'AVZ', '5501', 'Cafea boabe Lavazza 1kg', 1);

-- AVZ 10040 is scanned already: it opens ready to be marked printed.
insert into doc_poz_marfa_tm (data_doc, tip_doc, nr_doc, cod_bare, cant, emitent, id_terminal) values
    (current_date - 2, 'AVZ', '10040', '5941000000080', 2, 'ana', 'mwmskt');

-- The server refuses withdrawn articles, in its own words.
create function demo_refuza_articol_retras() returns trigger language plpgsql as $$
begin
    if new.cod_bare = '0000000000000' then
        raise exception 'Articolul cu codul % este retras si nu se mai scaneaza', new.cod_bare
            using hint = 'Puneti marfa deoparte si anuntati seful de depozit.';
    end if;
    return new;
end $$;

create trigger demo_refuza_articol_retras before insert on doc_poz_marfa_tm
    for each row execute function demo_refuza_articol_retras();
